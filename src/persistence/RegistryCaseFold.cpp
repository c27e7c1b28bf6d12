#include "persistence/RegistryCaseFold.h"

#include "text/Utf8.h"

namespace mecovnik {

namespace {

bool In(char32_t c, char32_t first, char32_t last)
{
    return c >= first && c <= last;
}

// Pairs where the capital is the even code point and the small one follows it.
bool EvenCapital(char32_t c, char32_t first, char32_t last)
{
    return In(c, first, last) && (c - first) % 2 == 0;
}

char32_t FoldLatin(char32_t c)
{
    if (In(c, 0xC0, 0xDE) && c != 0xD7)
        return c + 0x20;
    if (c == 0xB5)
        return 0x3BC; // micro sign folds to Greek mu
    // Latin Extended-A: capitals alternate, with the parity flipping at U+0139
    // and back at U+014A.
    if (EvenCapital(c, 0x100, 0x12F) || EvenCapital(c, 0x132, 0x137) ||
        EvenCapital(c, 0x14A, 0x177))
        return c + 1;
    if (EvenCapital(c, 0x139, 0x148) || EvenCapital(c, 0x179, 0x17E))
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    if (c == 0x17F)
        return 's';
    // Latin Extended-B: the digraphs and the regular runs of pairs.
    switch (c) {
    case 0x1C4:
    case 0x1C5:
        return 0x1C6;
    case 0x1C7:
    case 0x1C8:
        return 0x1C9;
    case 0x1CA:
    case 0x1CB:
        return 0x1CC;
    case 0x1F1:
    case 0x1F2:
        return 0x1F3;
    default:
        break;
    }
    if (EvenCapital(c, 0x1CD, 0x1DC))
        return c + 1;
    if (EvenCapital(c, 0x1DE, 0x1EF) || EvenCapital(c, 0x1F8, 0x21F) ||
        EvenCapital(c, 0x222, 0x233))
        return c + 1;
    // Latin Extended Additional.
    if (EvenCapital(c, 0x1E00, 0x1E95) || EvenCapital(c, 0x1EA0, 0x1EFF))
        return c + 1;
    if (c == 0x1E9B)
        return 0x1E61;
    if (c == 0x1E9E)
        return 0xDF;
    return c;
}

char32_t FoldGreek(char32_t c)
{
    if (In(c, 0x391, 0x3A1) || In(c, 0x3A3, 0x3AB))
        return c + 0x20;
    switch (c) {
    case 0x345:
        return 0x3B9;
    case 0x370:
    case 0x372:
    case 0x376:
        return c + 1;
    case 0x37F:
        return 0x3F3;
    case 0x386:
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return c + 0x25;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return c + 0x3F;
    case 0x3C2:
        return 0x3C3; // final sigma
    case 0x3CF:
        return 0x3D7;
    case 0x3D0:
        return 0x3B2;
    case 0x3D1:
        return 0x3B8;
    case 0x3D5:
        return 0x3C6;
    case 0x3D6:
        return 0x3C0;
    case 0x3F0:
        return 0x3BA;
    case 0x3F1:
        return 0x3C1;
    case 0x3F4:
        return 0x3B8;
    case 0x3F5:
        return 0x3B5;
    case 0x3F7:
        return 0x3F8;
    case 0x3F9:
        return 0x3F2;
    case 0x3FA:
        return 0x3FB;
    case 0x3FD:
    case 0x3FE:
    case 0x3FF:
        return c - 0x82;
    default:
        break;
    }
    if (EvenCapital(c, 0x3D8, 0x3EF))
        return c + 1;
    return c;
}

char32_t FoldCyrillic(char32_t c)
{
    if (In(c, 0x400, 0x40F))
        return c + 0x50;
    if (In(c, 0x410, 0x42F))
        return c + 0x20;
    if (EvenCapital(c, 0x460, 0x481) || EvenCapital(c, 0x48A, 0x4BF))
        return c + 1;
    if (c == 0x4C0)
        return 0x4CF;
    if (In(c, 0x4C1, 0x4CE) && (c - 0x4C1) % 2 == 0)
        return c + 1;
    if (EvenCapital(c, 0x4D0, 0x52F))
        return c + 1;
    return c;
}

} // namespace

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c < 0x345)
        return FoldLatin(c);
    if (c < 0x400)
        return FoldGreek(c);
    if (c < 0x530)
        return FoldCyrillic(c);
    if (In(c, 0x1E00, 0x1EFF))
        return FoldLatin(c);
    return c;
}

std::string FoldCase(std::string_view name)
{
    std::string out(name);
    bool ascii = true;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (ascii)
        return out;
    out.clear();
    std::size_t pos = 0;
    while (pos < name.size()) {
        const auto byte = static_cast<unsigned char>(name[pos]);
        if (byte < 0x80) {
            out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte);
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t c = DecodeUtf8(name, pos);
        if (c == 0xFFFD && pos - start == 1) {
            out += name[start]; // keep an invalid byte as it is
            continue;
        }
        AppendUtf8(out, FoldCodePoint(c));
    }
    return out;
}

} // namespace mecovnik
