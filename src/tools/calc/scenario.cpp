#include "tools/calc/scenario.h"

#include "tools/calc/json_places.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <fstream>
#include <span>
#include <sstream>

namespace zorvane::calc {

namespace {

using design::InitInputs;
using nlohmann::json;

// The controls of the initial-conditions panel a scenario may set. An edit box sets its text; a
// list sets its item index and/or its item text; a check box its state.
struct InitControl {
    std::string_view name;
    bool rollerOnly; // disabled on the toothed chain's panel
    std::string InitInputs::*text = nullptr;
    int InitInputs::*item = nullptr;
    bool InitInputs::*check = nullptr;
    std::span<const std::string_view> items{};
};

constexpr std::array<InitControl, 20> kInitControls{{
    {"edtPower", false, &InitInputs::power},
    {"edtn1", false, &InitInputs::n1},
    {"edtInita", false, &InitInputs::initA0},
    {"edtFloat", false, &InitInputs::floatPercent},
    {"edtT", true, &InitInputs::life},
    {"edti", false, &InitInputs::ratio},
    {"edtie", false, &InitInputs::ratioTol},
    {"cbxMotor", false, nullptr, &InitInputs::motor, nullptr, design::kMotorItems},
    {"cbxMotorKind", false, nullptr, &InitInputs::layout, nullptr, design::kLayoutItems},
    {"cbxV", true, nullptr, &InitInputs::speed, nullptr, design::kSpeedItems},
    {"cbxLub", false, nullptr, &InitInputs::lub, nullptr, design::kLubItems},
    {"cbxLoadKind", false, nullptr, &InitInputs::load, nullptr, design::kLoadItems},
    {"cbxFloat", false, &InitInputs::floatText, nullptr, nullptr, design::kFloatItems},
    {"cbxTight", false, &InitInputs::tensionerText, &InitInputs::tensioner, nullptr,
     design::kTensionerItems},
    {"cbxie", false, nullptr, &InitInputs::ratioDir, nullptr, design::kRatioDirItems},
    {"chkLoadKind", false, nullptr, nullptr, &InitInputs::pulsating},
    {"chkAdjust", false, nullptr, nullptr, &InitInputs::adjustable},
    {"chkInita", false, nullptr, nullptr, &InitInputs::hasInitA0},
    {"chkT", true, nullptr, nullptr, &InitInputs::hasLife},
    {"chkTight", false, nullptr, nullptr, &InitInputs::hasTensioner},
}};

constexpr std::array<std::string_view, 6> kTopKeys{"chain",  "rows",    "initial",
                                                   "inputs", "answers", "prompts"};

constexpr int kRowItemCount = static_cast<int>(design::kRowItems.size());

std::string chainName(design::Chain chain) {
    return chain == design::Chain::Roller ? "滚子链" : "齿形链";
}

// Reads the parsed scenario, with the places of its keys for the messages.
class Reader {
public:
    Reader(std::string_view text, const std::string& fileName) : text_(text), fileName_(fileName) {
        if (text.size() > kMaxScenarioBytes) {
            fail("",
                 "文件大于 " + std::to_string(kMaxScenarioBytes / (1024 * 1024)) +
                     " MB，不是场景文件",
                 kMaxScenarioBytes);
        }
        JsonScan scan = scanJson(text, kMaxScenarioDepth);
        places_ = std::move(scan.places);
        if (scan.tooDeepAt) {
            fail("", "括号嵌套超过 " + std::to_string(kMaxScenarioDepth) + " 层", *scan.tooDeepAt);
        }
    }

    Scenario read(const json& root) {
        if (!root.is_object()) {
            fail("", "场景应为一个 JSON 对象");
        }
        checkKeys(root, "", kTopKeys);
        Scenario scenario;
        readChain(root, scenario);
        if (root.contains("rows")) {
            scenario.rowItem = itemIndex(root.at("rows"), "/rows", kRowItemCount);
        }
        if (root.contains("initial")) {
            readInitial(object(root.at("initial"), "/initial"), scenario);
        }
        if (root.contains("inputs")) {
            readInputs(object(root.at("inputs"), "/inputs"), scenario);
        }
        if (root.contains("answers")) {
            readAnswers(array(root.at("answers"), "/answers"), scenario);
        }
        if (root.contains("prompts")) {
            readPrompts(array(root.at("prompts"), "/prompts"), scenario);
        }
        return scenario;
    }

    // Duplicate keys: the JSON library keeps the last silently, which hides a mistake.
    void checkDuplicates() const {
        if (const auto repeated = firstDuplicateKey(places_)) {
            fail(pointerOf(places_, *repeated), "键重复出现", places_[*repeated].offset);
        }
    }

    [[noreturn]] void syntaxError(std::size_t byte) const {
        const std::size_t offset = byte == 0 ? 0 : byte - 1;
        std::string message = "场景文件“" + fileName_ + "”第 " +
                              std::to_string(lineAt(text_, offset)) + " 行第 " +
                              std::to_string(columnAt(text_, offset)) + " 列";
        std::optional<std::size_t> last;
        for (std::size_t k = 0; k < places_.size() && places_[k].offset < offset; ++k) {
            last = k;
        }
        if (last) {
            message += "，键“" + displayKey(pointerOf(places_, *last)) + "”之后";
        }
        throw ScenarioError(message + "：不是有效的 JSON");
    }

private:
    [[noreturn]] void fail(const std::string& pointer, const std::string& what,
                           std::optional<std::size_t> offset = std::nullopt) const {
        const std::size_t at = offset ? *offset : offsetOf(pointer);
        std::string message =
            "场景文件“" + fileName_ + "”第 " + std::to_string(lineAt(text_, at)) + " 行";
        if (!pointer.empty()) {
            message += "，键“" + displayKey(pointer) + "”";
        }
        throw ScenarioError(message + "：" + what);
    }

    // The place of the value at `pointer`, or of the nearest enclosing one that has a place.
    std::size_t offsetOf(std::string pointer) const {
        while (!pointer.empty()) {
            if (const auto place = findPlace(places_, pointer)) {
                return places_[*place].offset;
            }
            pointer.erase(pointer.rfind('/'));
        }
        return 0;
    }

    // "/answers/1/answer" as answers[1].answer.
    static std::string displayKey(const std::string& pointer) {
        std::string shown;
        std::size_t start = 1;
        while (start <= pointer.size()) {
            const std::size_t end = std::min(pointer.find('/', start), pointer.size());
            std::string token = pointer.substr(start, end - start);
            const bool index =
                !token.empty() && std::all_of(token.begin(), token.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
            shown += index ? "[" + token + "]" : (shown.empty() ? "" : ".") + token;
            start = end + 1;
        }
        // Undo the pointer escapes for the reader.
        for (auto [from, to] : {std::pair{"~1", "/"}, std::pair{"~0", "~"}}) {
            for (std::size_t at = shown.find(from); at != std::string::npos;
                 at = shown.find(from, at + 1)) {
                shown.replace(at, 2, to);
            }
        }
        return shown;
    }

    template <std::size_t N>
    void checkKeys(const json& object, const std::string& pointer,
                   const std::array<std::string_view, N>& known) const {
        for (const auto& [key, value] : object.items()) {
            if (std::find(known.begin(), known.end(), key) == known.end()) {
                fail(pointer + "/" + pointerToken(key), "未知的键");
            }
        }
    }

    const json& object(const json& value, const std::string& pointer) const {
        if (!value.is_object()) {
            fail(pointer, "应为对象");
        }
        return value;
    }

    const json& array(const json& value, const std::string& pointer) const {
        if (!value.is_array()) {
            fail(pointer, "应为数组");
        }
        return value;
    }

    std::string text(const json& value, const std::string& pointer) const {
        if (!value.is_string()) {
            fail(pointer, "应为文本");
        }
        return value.get<std::string>();
    }

    int itemIndex(const json& value, const std::string& pointer, int count) const {
        if (!value.is_number_integer() || value.get<long long>() < 0 ||
            value.get<long long>() >= count) {
            fail(pointer, "应为 0 到 " + std::to_string(count - 1) + " 的列表项序号");
        }
        return value.get<int>();
    }

    void readChain(const json& root, Scenario& scenario) const {
        if (!root.contains("chain")) {
            fail("/chain", "缺少此键（应为 \"roller\" 或 \"toothed\"）");
        }
        const std::string chain = text(root.at("chain"), "/chain");
        if (chain != "roller" && chain != "toothed") {
            fail("/chain", "应为 \"roller\" 或 \"toothed\"，而不是 \"" + chain + "\"");
        }
        scenario.chain = chain == "roller" ? design::Chain::Roller : design::Chain::Toothed;
    }

    void readInitial(const json& initial, Scenario& scenario) const {
        for (const auto& [key, value] : initial.items()) {
            const std::string pointer = "/initial/" + pointerToken(key);
            const auto control = std::find_if(kInitControls.begin(), kInitControls.end(),
                                              [&](const InitControl& c) { return c.name == key; });
            if (control == kInitControls.end()) {
                fail(pointer, "不是初始条件面板上的控件");
            }
            if (control->rollerOnly && scenario.chain != design::Chain::Roller) {
                fail(pointer, "只用于滚子链");
            }
            InitInputs& in = scenario.initial;
            if (control->check) {
                if (!value.is_boolean()) {
                    fail(pointer, "应为 true 或 false");
                }
                in.*control->check = value.get<bool>();
            } else if (!control->items.empty()) {
                const int index =
                    itemIndex(value, pointer, static_cast<int>(control->items.size()));
                if (control->item) {
                    in.*control->item = index;
                }
                if (control->text) {
                    in.*control->text =
                        std::string(control->items[static_cast<std::size_t>(index)]);
                }
            } else {
                in.*control->text = text(value, pointer);
            }
        }
    }

    void readInputs(const json& inputs, Scenario& scenario) const {
        for (const auto& [key, value] : inputs.items()) {
            const std::string pointer = "/inputs/" + pointerToken(key);
            if (!drive::isInputName(key)) {
                fail(pointer, "不是步骤面板的输入框或对话框");
            }
            if (!acceptsInput(scenario.chain, key)) {
                fail(pointer, "不用于" + chainName(scenario.chain));
            }
            std::vector<std::string> texts;
            if (value.is_array()) {
                if (value.empty()) {
                    fail(pointer, "应为文本或非空的文本数组");
                }
                for (std::size_t i = 0; i < value.size(); ++i) {
                    texts.push_back(text(value[i], pointer + "/" + std::to_string(i)));
                }
            } else if (value.is_string()) {
                texts.push_back(value.get<std::string>());
            } else {
                fail(pointer, "应为文本或非空的文本数组");
            }
            scenario.inputs[key] = std::move(texts);
        }
    }

    void readAnswers(const json& answers, Scenario& scenario) const {
        static constexpr std::array<std::string_view, 2> kKeys{"text", "answer"};
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string pointer = "/answers/" + std::to_string(i);
            const json& entry = object(answers[i], pointer);
            checkKeys(entry, pointer, kKeys);
            if (!entry.contains("text") || !entry.contains("answer")) {
                fail(pointer, "应有键“text”和“answer”");
            }
            ScriptedAnswer answer;
            answer.textPart = text(entry.at("text"), pointer + "/text");
            const std::string choice = text(entry.at("answer"), pointer + "/answer");
            if (choice == "yes") {
                answer.answer = design::Answer::Yes;
            } else if (choice == "no") {
                answer.answer = design::Answer::No;
            } else if (choice == "cancel") {
                answer.answer = design::Answer::Cancel;
            } else {
                fail(pointer + "/answer", "应为 \"yes\"、\"no\" 或 \"cancel\"");
            }
            scenario.answers.push_back(std::move(answer));
        }
    }

    void readPrompts(const json& prompts, Scenario& scenario) const {
        static constexpr std::array<std::string_view, 2> kKeys{"caption", "value"};
        for (std::size_t i = 0; i < prompts.size(); ++i) {
            const std::string pointer = "/prompts/" + std::to_string(i);
            const json& entry = object(prompts[i], pointer);
            checkKeys(entry, pointer, kKeys);
            if (!entry.contains("caption") || !entry.contains("value")) {
                fail(pointer, "应有键“caption”和“value”");
            }
            scenario.prompts.push_back({text(entry.at("caption"), pointer + "/caption"),
                                        text(entry.at("value"), pointer + "/value")});
        }
    }

    std::string_view text_;
    const std::string& fileName_;
    std::vector<JsonPlace> places_;
};

} // namespace

Scenario parseScenario(std::string_view text, const std::string& fileName) {
    Reader reader(text, fileName);
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& error) {
        reader.syntaxError(error.byte);
    }
    reader.checkDuplicates();
    return reader.read(root);
}

Scenario readScenario(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        throw ScenarioError("场景文件“" + file.string() + "”是一个目录");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ScenarioError("无法读取场景文件“" + file.string() + "”");
    }
    // Read in blocks up to one byte past the limit, which is enough to refuse a file that is too
    // large, without clearing the whole limit's memory for a small file.
    std::string text;
    std::array<char, 65536> block; // filled by each read before use
    while (text.size() <= kMaxScenarioBytes && in.read(block.data(), block.size()).gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        text.append(block.data(), std::min(count, kMaxScenarioBytes + 1 - text.size()));
    }
    return parseScenario(text, file.string());
}

} // namespace zorvane::calc
