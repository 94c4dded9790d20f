#include "profile/ProfileNames.h"

#include <locale.h>
#include <wctype.h>

namespace vestra {
namespace {

// Decodes one UTF-8 sequence at text[pos]; a malformed byte stands for itself.
char32_t NextCodePoint(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || pos + extra > text.size()) return lead;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return lead;
        code = (code << 6) | (next & 0x3F);
    }
    pos += extra;
    return code;
}

char32_t FoldCase(char32_t code) {
    // The "C" locale only folds ASCII; C.UTF-8 has the Unicode tables.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (code < 0x80) return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
    return utf8 ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(code), utf8)) : code;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

bool IsBlankName(std::string_view name) {
    for (char c : name) {
        if (!IsSpace(c)) return false;
    }
    return true;
}

bool IsNameTaken(std::string_view name, const std::vector<std::string>& names, int skip) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (static_cast<int>(i) != skip && SameName(name, names[i])) return true;
    }
    return false;
}

std::string NextAddName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        std::string name = "profile" + std::to_string(n);
        if (!IsNameTaken(name, names)) return name;
    }
}

std::string NextCopyName(const std::string& source, const std::vector<std::string>& names) {
    std::string name = source + " copy";
    while (IsNameTaken(name, names)) name += " copy";
    return name;
}

std::string NextImportName(const std::string& base, const std::vector<std::string>& names) {
    std::string name = base;
    for (int k = 1; IsNameTaken(name, names); ++k) name += "(" + std::to_string(k) + ")";
    return name;
}

}  // namespace vestra
