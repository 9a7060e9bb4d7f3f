#pragma once
// The designer record (who designed it, for whom, what kind, which chain form, date and time),
// 306 bytes as the project file stores it, and the logic of the designer-information dialog
// " 设计信息" that edits it. The dialog's six boxes live here as plain texts; the window shows
// them through Interaction::editDesigner.

#include "core/design/interaction.h"
#include "core/records/fixed_record.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorvane::records {

enum class DesignerField : std::uint8_t {
    Designer,     // designer's name
    Organization, // designer's organisation
    DesignKind,   // "链传动" once a chain type is chosen
    DesignForm,   // "滚子链" or "齿形链"
    DesignDate,   // date text
    DesignTime,   // time text
};

struct DesignerLayout {
    using Field = DesignerField;
    using F = DesignerField;
    using Entry = FieldEntry<DesignerField>;
    static constexpr std::size_t size = 306;
    static constexpr std::size_t kTextCapacity = 50;

    // Six short strings of 50 bytes, back to back.
    static constexpr std::array<Entry, 6> fields{{
        {F::Designer, 0, FieldType::ShortString, kTextCapacity, "Designer"},
        {F::Organization, 51, FieldType::ShortString, kTextCapacity, "Organization"},
        {F::DesignKind, 102, FieldType::ShortString, kTextCapacity, "DesignKind"},
        {F::DesignForm, 153, FieldType::ShortString, kTextCapacity, "DesignForm"},
        {F::DesignDate, 204, FieldType::ShortString, kTextCapacity, "DesignDate"},
        {F::DesignTime, 255, FieldType::ShortString, kTextCapacity, "DesignTime"},
    }};
};

using DesignerRec = FixedRecord<DesignerLayout>;
static_assert(DesignerRec::kSize == 306);

// The owner the system names for this account; organisation is empty where the system keeps
// none.
struct OwnerInfo {
    std::string name;
    std::string organisation;
};
// Nothing when the system has no owner to offer; the record then keeps what it holds.
using OwnerSource = std::function<std::optional<OwnerInfo>()>;
// The current local time, broken down.
using LocalClock = std::function<std::tm()>;

// The owner from the password database: the full name of the account running the program.
std::optional<OwnerInfo> systemOwner();
// The name part of a GECOS field (up to its first comma), or the login name when that part is
// empty or not UTF-8.
std::string accountDisplayName(std::string_view gecos, std::string_view login);
// localtime of now.
std::tm systemLocalTime();

struct DateTimeTexts {
    std::string date;
    std::string time;
};
// Date and time as the locale writes them short ("%x", "%X"). `localeName` "" is the user's
// locale from the environment; the global locale of the program is never changed. A locale
// that cannot be loaded, or that yields no UTF-8, gives the C locale's texts.
DateTimeTexts formatDateTime(const std::tm& local, const char* localeName = "");

// The designer-information dialog: one instance for the whole run, created at start-up.
class DesignerInfo {
public:
    // Box indices of design::DesignerBoxes, in record order.
    enum Box : std::size_t { NameBox, CompanyBox, KindBox, SortBox, DateBox, TimeBox };

    // Runs LoadDefaults, as creating the dialog does.
    DesignerInfo();
    DesignerInfo(OwnerSource owner, LocalClock clock, std::string localeName = "");

    // ReadRegisteredOwner, name and company boxes from the record, StampDateTime.
    void LoadDefaults();
    // Designer and Organization from the system's owner, when it names one.
    void ReadRegisteredOwner();
    // Date and time boxes and record fields from the clock.
    void StampDateTime();
    // These change the record only, not the boxes.
    void SetDesignKind(std::string_view text);
    void SetDesignForm(std::string_view text);
    // Fills the six boxes from `record` (the global record or one read from a project file);
    // the record itself is not taken over.
    void LoadDialog(const DesignerRec& record);
    // Empties the kind and form boxes; the record keeps its texts.
    void ClearKindForm();
    // Copies all six boxes into the record, each cut to 50 bytes of GBK.
    void StoreDialog();
    // The modal dialog: on 确  认 the boxes are stored and true returned; on 取  消 nothing is
    // stored and the boxes keep what was typed.
    bool show(design::Interaction& ui);

    const DesignerRec& record() const { return rec_; }
    const design::DesignerBoxes& boxes() const { return boxes_; }

    // The record as the project file stores it.
    const DesignerRec::Bytes& bytes() const { return rec_.bytes(); }

private:
    OwnerSource owner_;
    LocalClock clock_;
    std::string localeName_;
    DesignerRec rec_;
    design::DesignerBoxes boxes_;
};

} // namespace zorvane::records
