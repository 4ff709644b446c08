#include "viewer/html_text.h"
#include "viewer/page_charset.h"
#include "viewer/request_path.h"
#include "viewer/version_report.h"
#include "viewer/xml_text.h"

#include <gtest/gtest.h>

#include <map>

namespace {
TEST(VersionReport, LinesAndNames) {
    struct Case {
        std::string line;
        std::string expected;
    };
    const Case cases[] = {
        {versionLine("FileFlags", flagsValue(0x3, 0x3f)), "FileFlags        : 00000003"},
        {flagsValue(0x3, 0x1), "00000003 : VS_FF_DEBUG"},
        {flagsValue(0x20, 0x3f), "00000020 : VS_FF_SPECIALBUILD"},
        {osValue(0x40004), "00040004 : VOS_NT_WINDOWS32"},
        {osValue(0x4), "00000004 : VOS__WINDOWS32"},
        {osValue(0x50000), "00050000"},
        {typeValue(1), "00000001 : VFT_APP"},
        {typeValue(6), "00000006"},
        {typeValue(7), "00000007 : VFT_STATIC_LIB"},
        {subtypeValue(3, 7), "00000007"},
        {subtypeValue(3, 11), "0000000b : VFT2_DRV_INPUTMETHOD"},
        {subtypeValue(4, 3), "00000003 : VFT2_FONT_TRUETYPE"},
        {subtypeValue(1, 3), "00000003"},
        {versionLine("AVeryLongLabelIndeed", "x"), "AVeryLongLabelIndeed: x"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.line, c.expected);
}

TEST(VersionReport, StringsStopAtAPresentEmptyValue) {
    const std::map<std::string, std::string> values = {
        {"FileVersion", "1.2"}, {"ProductVersion", "1.2.3"}, {"Comments", ""},
        {"CompanyName", "Never shown"}};
    const auto lookup = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
    const FixedVersion fixed{0x3f, 0, 0x40004, 1, 0};
    EXPECT_EQ(versionReport("C:\\PROGRA~1\\X.EXE", 5, fixed, lookup),
              "(C:\\PROGRA~1\\X.EXE)\n_____\n"
              "FileFlagsMask    : 0000003f\n"
              "FileFlags        : 00000000\n"
              "FileOS           : 00040004 : VOS_NT_WINDOWS32\n"
              "FileType         : 00000001 : VFT_APP\n"
              "FileSubType      : 00000000\n"
              "FileVersion      : 1.2\n"
              "ProductVersion   : 1.2.3\n");
    EXPECT_EQ(versionReport("C:\\A.DLL", 3, std::nullopt, lookup), "(C:\\A.DLL)\n___\n");
}

TEST(HtmlText, PagesBecomeReadableText) {
    struct Case {
        std::string html;
        std::string text;
    };
    const Case cases[] = {
        {"<html><head><title>T &amp; U</title><style>p{x:y}</style></head>"
         "<body><h1>Head</h1><p>One\n  two</p><p>Three<br>four</p></body></html>",
         "T & U\n\n\xE2\x96\xA0 Head\n\nOne two\n\nThree\nfour\n"},
        {"<ul><li>a</li><li>b<ul><li>c</li></ul></li></ul>",
         "\xE3\x83\xBB a\n\xE3\x83\xBB b\n  \xE3\x83\xBB c\n"},
        {"<p>x<script>document.write('<p>no</p>')</script>y</p>", "xy\n"},
        {"<a href=\"http://e\">link text</a> &lt;&#65;&#x3042;&gt; &bogus; &", "link text <A\xE3\x81\x82> &bogus; &\n"},
        {"<pre>a  b\n  c</pre>after", "a  b\n  c\nafter\n"},
        {"<table><tr><td>1</td><td>2</td></tr><tr><td>3</td></tr></table>", "1 2\n3\n"},
        {"<!-- hidden <p> -->shown<img src=x alt=\"pic\">", "shown[pic]\n"},
        {"<p>unclosed <b", "unclosed\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(htmlToText(c.html), c.text) << c.html;
}

TEST(HtmlText, CharsetFromMarkDeclarationOrBytes) {
    struct Case {
        std::string bytes;
        std::string charset;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF<p>x", "utf-8"},
        {"<meta charset=\"Shift_JIS\"><p>\xE3\x81\x82", "shift_jis"},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">", "euc-jp"},
        {"<?xml version=\"1.0\" encoding='utf-8'?><a/>", "utf-8"},
        {"<meta charset=\"klingon\"><p>\x82\xa0", "shift_jis"},   // unknown: guessed
        {"<p>\xE3\x81\x82\xE3\x81\x84</p>", "utf-8"},
        {"<p>\x82\xa0\x82\xa2</p>", "shift_jis"},
    };
    for (const Case& c : cases) EXPECT_EQ(pageCharset(c.bytes), c.charset) << c.bytes;
    EXPECT_EQ(codePageOf("Shift_JIS"), 932u);
    EXPECT_EQ(codePageOf("x-unknown"), 0u);
    EXPECT_FALSE(isValidUtf8("\xE3\x81"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
}

TEST(XmlText, IndentedOneElementToALine) {
    EXPECT_EQ(indentXml("<?xml version=\"1.0\"?><a x=\"1>2\"><b>text</b><c/><d><e>t</e></d>"
                        "<!-- note --></a>"),
              "<?xml version=\"1.0\"?>\n<a x=\"1>2\">\n  <b>text</b>\n  <c/>\n  <d>\n"
              "    <e>t</e>\n  </d>\n  <!-- note -->\n</a>\n");
    EXPECT_EQ(indentXml("<a>\n  loose <b/>\n</a"), "<a>\n  loose\n  <b/>\n  </a\n");
}

TEST(RequestPath, BlockPathAndFtpCacheFile) {
    unsigned char block[500] = {1, 'C', ':', '\\', 'x', 0, 'y'};
    EXPECT_EQ(blockPath(block, sizeof block), "C:\\x");
    std::fill(block + 1, block + 500, 'a');
    EXPECT_EQ(blockPath(block, sizeof block), std::string(499, 'a'));

    struct Case {
        const char* ftp;
        const char* work;
        const char* local;
    };
    const Case cases[] = {
        {"|h/d/p.html", "C:\\V\\W_FTP", "C:\\V\\W_FTP\\h\\d\\p.html"},
        {"|h//d//p", "C:\\V\\W_FTP\\", "C:\\V\\W_FTP\\h\\d\\p"},
        {"|h/\x95\x5c/x", "C:\\w", "C:\\w\\h\\\x95\x5c\\x"},
    };
    for (const Case& c : cases) EXPECT_EQ(ftpCachePath(c.ftp, c.work), c.local) << c.ftp;
}
}  // namespace

#include "viewer/window_place_rule.h"

namespace {
TEST(WindowPlaceRule, StoredPlacesAndPictureBoxes) {
    EXPECT_EQ(storedPlace(""), std::nullopt);
    EXPECT_EQ(storedPlace("0,0,400,300"), (ScreenBox{1, 0, 400, 300}));
    EXPECT_EQ(storedPlace("10,20,30,40"), (ScreenBox{10, 20, 30, 40}));
    EXPECT_EQ(storedPlace("100,100,-50,-20"), (ScreenBox{50, 80, 50, 20}));
    EXPECT_EQ(storedPlace("5"), (ScreenBox{5, 0, 0, 0}));

    struct Case {
        int cw, ch, pw, ph;
        ScreenBox box;
    };
    const Case cases[] = {
        {400, 300, 100, 50, {150, 125, 100, 50}},  // fits: centred
        {400, 300, 800, 300, {0, 0, 400, 150}},    // too wide: halved
        {400, 300, 200, 600, {0, 0, 100, 300}},    // too tall
        {0, 300, 800, 600, {0, 0, 800, 600}},      // no client area: natural size
    };
    for (const Case& c : cases) EXPECT_EQ(pictureBox(c.cw, c.ch, c.pw, c.ph), c.box);
}
}  // namespace
