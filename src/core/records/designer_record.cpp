#include "core/records/designer_record.h"

#include "core/text/gbk.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <locale.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace zorvane::records {

namespace {

bool isUtf8(std::string_view text) {
    try {
        (void)text::utf8ToGbk(text);
        return true;
    } catch (const text::EncodingError&) {
        return false;
    }
}

// strftime_l under the LC_TIME part of the named locale; an empty text when the locale is not
// installed.
std::string formatIn(const std::tm& local, const char* format, const char* localeName) {
    const locale_t locale = newlocale(LC_TIME_MASK, localeName, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return {};
    }
    std::array<char, 128> buffer{};
    const std::size_t length = strftime_l(buffer.data(), buffer.size(), format, &local, locale);
    freelocale(locale);
    return std::string(buffer.data(), length);
}

DesignerField fieldOfBox(std::size_t box) {
    return static_cast<DesignerField>(box);
}

} // namespace

std::string accountDisplayName(std::string_view gecos, std::string_view login) {
    const std::string_view fullName = gecos.substr(0, gecos.find(','));
    if (!fullName.empty() && isUtf8(fullName)) {
        return std::string(fullName);
    }
    return isUtf8(login) ? std::string(login) : std::string();
}

std::optional<OwnerInfo> systemOwner() {
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
           buffer.size() < (std::size_t{1} << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || found == nullptr) {
        return std::nullopt;
    }
    return OwnerInfo{accountDisplayName(entry.pw_gecos ? entry.pw_gecos : "",
                                        entry.pw_name ? entry.pw_name : ""),
                     {}};
}

std::tm systemLocalTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

DateTimeTexts formatDateTime(const std::tm& local, const char* localeName) {
    DateTimeTexts texts{formatIn(local, "%x", localeName), formatIn(local, "%X", localeName)};
    // A locale in another encoding than UTF-8 would leave bytes the record cannot hold.
    if (texts.date.empty() || !isUtf8(texts.date) || !isUtf8(texts.time)) {
        texts = {formatIn(local, "%x", "C"), formatIn(local, "%X", "C")};
    }
    return texts;
}

DesignerInfo::DesignerInfo() : DesignerInfo(systemOwner, systemLocalTime) {}

DesignerInfo::DesignerInfo(OwnerSource owner, LocalClock clock, std::string localeName)
    : owner_(std::move(owner)), clock_(std::move(clock)), localeName_(std::move(localeName)) {
    LoadDefaults();
}

void DesignerInfo::LoadDefaults() {
    ReadRegisteredOwner();
    boxes_[NameBox] = rec_.getText(DesignerField::Designer);
    boxes_[CompanyBox] = rec_.getText(DesignerField::Organization);
    StampDateTime();
}

void DesignerInfo::ReadRegisteredOwner() {
    const std::optional<OwnerInfo> owner = owner_ ? owner_() : std::nullopt;
    if (owner) {
        rec_.setText(DesignerField::Designer, owner->name);
        rec_.setText(DesignerField::Organization, owner->organisation);
    }
}

void DesignerInfo::StampDateTime() {
    if (!clock_) {
        return;
    }
    const DateTimeTexts texts = formatDateTime(clock_(), localeName_.c_str());
    boxes_[DateBox] = texts.date;
    boxes_[TimeBox] = texts.time;
    rec_.setText(DesignerField::DesignDate, texts.date);
    rec_.setText(DesignerField::DesignTime, texts.time);
}

void DesignerInfo::SetDesignKind(std::string_view text) {
    rec_.setText(DesignerField::DesignKind, text);
}

void DesignerInfo::SetDesignForm(std::string_view text) {
    rec_.setText(DesignerField::DesignForm, text);
}

void DesignerInfo::LoadDialog(const DesignerRec& record) {
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        boxes_[box] = record.getText(fieldOfBox(box));
    }
}

void DesignerInfo::ClearKindForm() {
    boxes_[KindBox].clear();
    boxes_[SortBox].clear();
}

void DesignerInfo::StoreDialog() {
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        rec_.setText(fieldOfBox(box), boxes_[box]);
    }
}

bool DesignerInfo::show(design::Interaction& ui) {
    const bool confirmed = ui.editDesigner(boxes_);
    if (confirmed) {
        StoreDialog();
    }
    return confirmed;
}

} // namespace zorvane::records
