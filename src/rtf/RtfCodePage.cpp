#include "rtf/RtfCodePage.h"

#include "storage/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <string>
#include <unordered_map>

namespace tavrin::diary {
namespace {

RtfCodePage::Table cp1252Table() {
    RtfCodePage::Table t{};
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, char(b));
        const QString s = QString::fromStdString(cp1252::toUtf8(one));
        t[b] = s.isEmpty() ? u'?' : s.at(0).unicode();
    }
    return t;
}

// Other pages come from ICU through Qt; a page the decoder does not know stays Windows-1252.
RtfCodePage::Table decoderTable(const char* name, const RtfCodePage::Table& fallback) {
    RtfCodePage::Table t = fallback;
    QStringDecoder decoder(name);
    if (!decoder.isValid()) return t;
    for (int b = 0x80; b < 256; ++b) {
        const char byte = char(b);
        const QString s = decoder.decode(QByteArrayView(&byte, 1));
        decoder.resetState();
        if (s.size() == 1 && s.at(0) != QChar(0xFFFD) && s.at(0) != QChar(0x1A))
            t[b] = s.at(0).unicode();
        else
            t[b] = u'?';
    }
    return t;
}

const char* doubleByteName(int codePage) {
    switch (codePage) {
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    default:
        return nullptr;
    }
}

struct Tables {
    RtfCodePage::Table cp1252 = cp1252Table();
    std::unordered_map<int, RtfCodePage::Table> others;
    std::unordered_map<char16_t, unsigned char> reverse1252;

    Tables() {
        static const std::pair<int, const char*> pages[] = {
            {1250, "windows-1250"}, {1251, "windows-1251"}, {1253, "windows-1253"},
            {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
            {1257, "windows-1257"}, {1258, "windows-1258"}, {874, "windows-874"},
            {437, "IBM437"},        {850, "IBM850"},        {10000, "macintosh"}};
        for (const auto& [page, name] : pages)
            others.emplace(page, decoderTable(name, cp1252));
        for (int page : {932, 936, 949, 950})
            others.emplace(page, decoderTable(doubleByteName(page), cp1252));
        for (int b = 0x80; b < 256; ++b)
            reverse1252.emplace(cp1252[b], static_cast<unsigned char>(b));
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

const RtfCodePage::Table& RtfCodePage::table(int codePage) {
    const Tables& t = tables();
    if (codePage != 1252) {
        const auto it = t.others.find(codePage);
        if (it != t.others.end()) return it->second;
    }
    return t.cp1252;
}

int RtfCodePage::forCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 238:
        return 1250;
    case 254:
        return 437;
    default:
        return 0;
    }
}

bool RtfCodePage::isLeadByte(int codePage, unsigned char b) {
    switch (codePage) {
    case 932:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
        return b >= 0x81 && b <= 0xFE;
    default:
        return false;
    }
}

char32_t RtfCodePage::decodePair(int codePage, unsigned char lead, unsigned char trail) {
    const char* name = doubleByteName(codePage);
    if (!name) return 0xFFFD;
    // One decoder per page and thread; decoders keep state between calls, so each is reset.
    thread_local std::unordered_map<int, QStringDecoder> decoders;
    auto it = decoders.find(codePage);
    if (it == decoders.end()) it = decoders.emplace(codePage, QStringDecoder(name)).first;
    QStringDecoder& decoder = it->second;
    if (!decoder.isValid()) return 0xFFFD;
    const char pair[2] = {char(lead), char(trail)};
    const QString s = decoder.decode(QByteArrayView(pair, 2));
    decoder.resetState();
    if (s.isEmpty()) return 0xFFFD;
    const char32_t c = s.size() == 2 && s.at(0).isHighSurrogate()
                           ? QChar::surrogateToUcs4(s.at(0), s.at(1))
                           : char32_t(s.at(0).unicode());
    return s.size() <= 2 && c != 0x1A ? c : 0xFFFD;
}

int RtfCodePage::toCp1252(char16_t c) {
    if (c < 0x80) return c;
    // The five bytes that Windows-1252 leaves undefined are not characters to write out.
    if (c >= 0x80 && c < 0xA0) return -1;
    const Tables& t = tables();
    const auto it = t.reverse1252.find(c);
    return it == t.reverse1252.end() ? -1 : it->second;
}

} // namespace tavrin::diary
