#include "services/TPinyin.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <mutex>
#include <unordered_map>

#include "services/CodePoints.h"

namespace {

struct TPolyphone {
    char32_t Char;
    const char* Readings; // '|' between readings
};

// Second readings that game names need; the transliteration's own reading
// is kept first unless it is missing here.
constexpr TPolyphone Polyphones[] = {
    {U'地', "di|de"},       {U'长', "chang|zhang"}, {U'行', "xing|hang"}, {U'重', "zhong|chong"},
    {U'乐', "le|yue"},      {U'传', "chuan|zhuan"}, {U'大', "da|dai"},    {U'单', "dan|shan"},
    {U'了', "le|liao"},     {U'还', "hai|huan"},    {U'的', "de|di"},     {U'调', "diao|tiao"},
    {U'都', "du|dou"},      {U'角', "jiao|jue"},    {U'弹', "dan|tan"},   {U'觉', "jue|jiao"},
    {U'藏', "cang|zang"},   {U'差', "cha|chai"},    {U'朝', "chao|zhao"}, {U'曾', "zeng|ceng"},
    {U'降', "jiang|xiang"}, {U'解', "jie|xie"},     {U'卡', "ka|qia"},    {U'落', "luo|la|lao"},
    {U'便', "bian|pian"},   {U'薄', "bo|bao"},      {U'得', "de|dei"},    {U'着', "zhe|zhao|zhuo"},
    {U'转', "zhuan"},       {U'种', "zhong"},       {U'参', "can|shen"},  {U'少', "shao"},
    {U'数', "shu"},         {U'血', "xue|xie"},     {U'奇', "qi|ji"},     {U'车', "che|ju"},
    {U'将', "jiang"},       {U'和', "he|huo"},      {U'相', "xiang"},     {U'处', "chu"},
    {U'发', "fa"},          {U'空', "kong"},        {U'尽', "jin"},       {U'仔', "zai|zi"},
    {U'区', "qu|ou"},       {U'率', "lv|shuai"},    {U'绿', "lv|lu"},     {U'女', "nv|nu"},
    {U'吕', "lv"},          {U'旅', "lv"},          {U'侠', "xia"},       {U'厦', "sha|xia"},
    {U'会', "hui|kuai"},    {U'模', "mo|mu"},       {U'说', "shuo"},      {U'似', "si|shi"},
    {U'系', "xi|ji"},       {U'只', "zhi"},         {U'冲', "chong"},     {U'干', "gan"},
    {U'乘', "cheng"},       {U'盛', "sheng|cheng"}, {U'宿', "su|xiu"},    {U'省', "sheng|xing"},
    {U'兴', "xing"},        {U'曲', "qu"},          {U'给', "gei|ji"},    {U'拓', "tuo|ta"},
};

void Split(std::string_view text, std::vector<std::string>& out) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t bar = text.find('|', start);
        if (bar == std::string_view::npos) bar = text.size();
        std::string one(text.substr(start, bar - start));
        bool known = false;
        for (const std::string& r : out)
            known = known || r == one;
        if (!one.empty() && !known) out.push_back(std::move(one));
        start = bar + 1;
    }
}

class TReadingTable {
public:
    std::vector<std::string> Get(char32_t c) {
        std::lock_guard lock(FMutex);
        auto found = FCache.find(c);
        if (found != FCache.end()) return found->second;
        std::vector<std::string> readings = Make(c);
        FCache.emplace(c, readings);
        return readings;
    }

private:
    std::vector<std::string> Make(char32_t c) {
        std::vector<std::string> readings;
        for (const TPolyphone& p : Polyphones)
            if (p.Char == c) Split(p.Readings, readings);
        Transliterate(c, readings);
        return readings;
    }

    // Open once, on the first Han character; a system without the ICU's
    // transliteration data leaves only the table's readings.
    void Transliterate(char32_t c, std::vector<std::string>& readings) {
        if (!FOpened) Open();
        if (!FHanLatin) return;
        icu::UnicodeString text(static_cast<UChar32>(c));
        FHanLatin->transliterate(text);
        if (text.length() == 0 || text == icu::UnicodeString(static_cast<UChar32>(c))) return;
        icu::UnicodeString withV(text);
        withV.findAndReplace(u"ü", u"v").findAndReplace(u"ǖ", u"v").findAndReplace(u"ǘ", u"v");
        withV.findAndReplace(u"ǚ", u"v").findAndReplace(u"ǜ", u"v");
        for (icu::UnicodeString* one : {&text, &withV}) {
            FToAscii->transliterate(*one);
            std::string utf8;
            one->toUTF8String(utf8);
            std::string letters;
            for (char ch : utf8)
                if (ch >= 'a' && ch <= 'z') letters += ch;
            Split(letters, readings);
        }
    }

    void Open() {
        FOpened = true;
        UErrorCode status = U_ZERO_ERROR;
        FHanLatin.reset(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) FHanLatin.reset();
        status = U_ZERO_ERROR;
        FToAscii.reset(
            icu::Transliterator::createInstance("Latin-ASCII; Lower", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) FToAscii.reset(), FHanLatin.reset();
    }

    std::mutex FMutex;
    bool FOpened = false;
    std::unique_ptr<icu::Transliterator> FHanLatin;
    std::unique_ptr<icu::Transliterator> FToAscii;
    std::unordered_map<char32_t, std::vector<std::string>> FCache;
};

TReadingTable& Table() {
    static TReadingTable table;
    return table;
}

bool IsWordChar(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

std::vector<std::string> TPinyin::Readings(char32_t c) {
    if (!codepoints::IsHan(c)) return {};
    return Table().Get(c);
}

std::string TPinyin::Keys(std::string_view name) {
    std::string keys;
    std::string word;
    auto unit = [&keys](const std::string& text) {
        if (text.empty()) return;
        if (!keys.empty()) keys += ' ';
        keys += text;
    };
    for (char32_t c : codepoints::Decode(name)) {
        c = codepoints::Lower(c);
        if (IsWordChar(c)) {
            word += static_cast<char>(c);
            continue;
        }
        unit(word);
        word.clear();
        if (!codepoints::IsHan(c)) continue;
        std::string joined;
        codepoints::Append(joined, c);
        const char* bar = "";
        for (const std::string& r : Readings(c)) {
            joined += bar + r;
            bar = "|";
        }
        unit(joined);
    }
    unit(word);
    return keys;
}
