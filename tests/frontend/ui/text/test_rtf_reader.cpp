#include "text/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QDirIterator>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "rtf_samples.h"

#include <random>

namespace {

using zb::ui::parseRtf;

using zb::test::rtfSample;

// The document's characters with block ends as '\n' and everything else (no-break spaces,
// line separators) as stored.
QString text(const QTextDocument& doc) {
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QString text(const QByteArray& rtf) {
    QTextDocument doc;
    EXPECT_TRUE(parseRtf(rtf, doc)) << rtf.constData();
    return text(doc);
}

// The format of the first character of the first occurrence of needle.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& needle) {
    const int at = int(text(doc).indexOf(needle));
    EXPECT_GE(at, 0) << needle.toStdString();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(at + 1);
    return c.charFormat();
}

QTextBlockFormat block(const QTextDocument& doc, int n) {
    return doc.findBlockByNumber(n).blockFormat();
}

TEST(RtfSamples, OwnStyle) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(rtfSample("own_style.rtf"), doc));
    EXPECT_EQ(text(doc),
              QStringLiteral("Beugung am Spalt\nTrifft eine ebene Welle auf einen schmalen Spalt, "
                             "so breitet sie sich dahinter kreisförmig aus. Das heißt Beugung; sie "
                             "ist umso stärker, je schmaler der Spalt im Vergleich zur Wellenlänge "
                             "λ ist.\n• Breiter Spalt: fast gerade Wellenfronten\n• Schmaler "
                             "Spalt: für die Welle wirkt er wie ein neuer Erreger\nVersuch 3"));
    const QTextCharFormat heading = formatOf(doc, QStringLiteral("Beugung am"));
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    EXPECT_EQ(heading.fontPointSize(), 16.0);
    EXPECT_EQ(heading.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(heading.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    const QTextCharFormat body = formatOf(doc, QStringLiteral("Trifft"));
    EXPECT_EQ(body.fontWeight(), QFont::Normal);
    EXPECT_EQ(body.fontPointSize(), 11.0);
    EXPECT_FALSE(body.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(doc, QStringLiteral("schmalen")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("kreisf")).fontItalic());
    EXPECT_EQ(formatOf(doc, QStringLiteral("Beugung;")).foreground().color(), QColor(160, 0, 0));
    const QTextCharFormat last = formatOf(doc, QStringLiteral("Versuch"));
    EXPECT_TRUE(last.fontItalic() && last.fontUnderline());

    ASSERT_EQ(doc.blockCount(), 5);
    EXPECT_EQ(block(doc, 0).alignment(), Qt::AlignHCenter);
    EXPECT_EQ(block(doc, 0).bottomMargin(), 8.0);
    EXPECT_EQ(block(doc, 2).leftMargin(), 20.0);
    EXPECT_NEAR(block(doc, 2).textIndent(), -190 / 15.0, 1e-9);
    EXPECT_EQ(block(doc, 4).alignment(), Qt::AlignRight);
    EXPECT_NEAR(block(doc, 4).topMargin(), 100 / 15.0, 1e-9);
}

TEST(RtfSamples, VerboseWordProcessor) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(rtfSample("word_verbose.rtf"), doc));
    // No header, style names, document info, picture data, field code or hidden text.
    EXPECT_EQ(text(doc), QStringLiteral("Wellen im Wasser\nEine Welle transportiert Energie, aber "
                                        "keine Materie. Die Wellenlänge λ ist der Abstand zweier "
                                        "Wellenberge; für sie gilt c\u00A0=\u00A0λ\u2009·\u2009f."
                                        "\n•\tReflexion an Wänden\n•\tBeugung am „Spalt“\n"
                                        "Mehr dazu: Wellenseite\nEnde"));
    const QTextCharFormat heading = formatOf(doc, QStringLiteral("Wellen im"));
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    EXPECT_EQ(heading.fontPointSize(), 16.0);
    EXPECT_EQ(heading.foreground().color(), QColor(47, 84, 150));
    EXPECT_EQ(formatOf(doc, QStringLiteral("keine")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("λ")).fontItalic());
    EXPECT_EQ(formatOf(doc, QStringLiteral("Eine")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Calibri")});
    const QTextCharFormat link = formatOf(doc, QStringLiteral("Wellenseite"));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(link.foreground().color(), QColor(5, 99, 193));

    ASSERT_EQ(doc.blockCount(), 6);
    EXPECT_EQ(block(doc, 1).alignment(), Qt::AlignJustify);
    EXPECT_EQ(block(doc, 2).leftMargin(), 48.0);
    EXPECT_EQ(block(doc, 2).textIndent(), -24.0);
    EXPECT_EQ(block(doc, 4).alignment(), Qt::AlignLeft);
    EXPECT_EQ(block(doc, 5).alignment(), Qt::AlignHCenter); // the last paragraph has no \par
}

TEST(RtfSamples, TerseWordProcessor) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(rtfSample("wordpad.rtf"), doc)); // CR LF lines and a NUL after the end
    EXPECT_EQ(text(doc),
              QStringLiteral("\nInterferenz\nZwei Erreger erzeugen Kreiswellen. Wo Berg auf "
                             "Berg trifft, verstärken sie sich; wo Berg auf Tal trifft, löschen "
                             "sie sich aus.\nAchtung: Die Erreger müssen gleichphasig schwingen."
                             "\n•\tKnotenlinien\n•\tBäuche – „Maxima“\nQuelle: Physikunterricht"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("Interferenz")).fontPointSize(), 14.0);
    EXPECT_EQ(formatOf(doc, QStringLiteral("Achtung")).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf(doc, QStringLiteral(" Die")).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Quelle")).fontItalic());
    EXPECT_EQ(block(doc, 1).alignment(), Qt::AlignHCenter);
    EXPECT_EQ(block(doc, 5).leftMargin(), 48.0);
}

TEST(RtfSamples, TextEditor) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(rtfSample("text_editor.rtf"), doc));
    EXPECT_EQ(text(doc), QStringLiteral("Stehende Wellen\nLaufen zwei gleiche Wellen "
                                        "gegeneinander, entsteht eine stehende Welle.\u2028Die "
                                        "Knoten bewegen sich nicht, die Bäuche schwingen mit "
                                        "doppelter Amplitude.\n\t•\tAbstand zweier Knoten: λ/2\n"
                                        "\t•\tFrequenz überall gleich"));
    const QTextCharFormat heading = formatOf(doc, QStringLiteral("Stehende"));
    EXPECT_EQ(heading.fontPointSize(), 18.0);
    EXPECT_EQ(heading.fontFamilies().toStringList(), QStringList{QStringLiteral("Helvetica-Bold")});
    EXPECT_EQ(formatOf(doc, QStringLiteral("stehende")).foreground().color(), QColor(200, 30, 30));
    EXPECT_TRUE(formatOf(doc, QStringLiteral("λ")).fontItalic());
    EXPECT_EQ(block(doc, 0).alignment(), Qt::AlignHCenter);
    EXPECT_EQ(block(doc, 1).alignment(), Qt::AlignLeft);
    EXPECT_EQ(block(doc, 3).textIndent(), -48.0);
}

// Whatever markup the program's own texts use must not show up as text.
TEST(RtfSamples, ProgramTextsShowNoMarkup) {
    int files = 0;
    for (QDirIterator it(QStringLiteral(ZB_PROGRAM_RTFS), {QStringLiteral("*.rtf")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QTextDocument doc;
        ASSERT_TRUE(parseRtf(f.readAll(), doc)) << f.fileName().toStdString();
        const QString t = text(doc);
        EXPECT_GE(doc.blockCount(), 2) << f.fileName().toStdString();
        for (QChar c : {QChar(u'\\'), QChar(u'{'), QChar(u'}'), QChar(0xFFFD)}) {
            EXPECT_FALSE(t.contains(c)) << f.fileName().toStdString();
        }
        EXPECT_FALSE(t.contains(QLatin1String("Arial"))) << f.fileName().toStdString();
        ++files;
    }
    EXPECT_GT(files, 10);
}

struct Case {
    const char* rtf;
    const char16_t* text;
};

TEST(RtfText, CharactersDestinationsAndParagraphMarks) {
    const Case cases[] = {
        {R"({\rtf1 a\{b\}c\\d})", u"a{b}c\\d"},
        {R"({\rtf1 x\~y\-z\_w})", u"x\u00A0y\u00ADz\u2011w"},
        {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})", u"—–•‘’“”"},
        {R"({\rtf1 a\line b\tab c\nestcell d})", u"a\u2028b\tc\td"},
        {"{\\rtf1 ab\r\ncd\\\nef\\\r\ng}", u"abcd\nef\ng"},
        {R"({\rtf1 \b  x\b0 y\b-z})", u" xy-z"},
        {R"({\rtf1 \abcdefghijklmnopqrstuvwxyzabcdefghi x})", u"x"},
        {R"({\rtf1 \'80\'84\'93\'85\'e4\'C4\'df\'81\'7})", u"€„“…äÄß\uFFFD"},
        {R"({\rtf1 {\fonttbl{\f1 Symbol;}}{\f1 l\'b7\'b4}l})", u"λ•×l"},
        // Fallback characters after \uN: plain, \'hh and control words each count as one.
        {R"({\rtf1 \u252?\u-3913?x})", u"ü\uF0B7x"},
        {R"({\rtf1\uc2 \u955\'6c\'6cx\uc1 \u8220\ldblquote a})", u"λx“a"},
        {R"({\rtf1\uc0 \u955 x{\uc3 \u955 ab}c})", u"λxλc"},
        {R"({\rtf1 \u-10179?\u-8694?.\u-10179?x\u-8694?y\u-10179?})",
         u"\U0001F60A.\uFFFDx\uFFFDy\uFFFD"},
        {R"({\rtf1 \u0?\u7?\u99999999999?\u z})", u"\uFFFDz"},
        // Paragraph marks: the last one leaves no empty line, inner ones do.
        {R"({\rtf1 a\par})", u"a"},
        {R"({\rtf1 \par a\par\par b\sect c\page d\par e\par\par})", u"\na\n\nb\nc\nd\ne\n"},
        // Destinations: skipped, or shown where the text is the visible part.
        {R"({\rtf1 a{\*\unknown b{c}}d{\*\fldinst x}})", u"ad"},
        {R"({\rtf1 {\info{\title T}}{\stylesheet{\s0 Normal;}}{\header H\par}a\par})", u"a"},
        {R"({\rtf1 {\pict\wmetafile8 0100ff}a{\v hidden}b})", u"ab"},
        {"{\\rtf1 a{\\pict\\bin3 }}x}b}", u"ab"},
        {R"({\rtf1 a{\b x\*y}z})", u"axyz"},
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt Link}}{\field{\fldinst P}{\fldrslt 3}}})",
         u"Link3"},
        {R"({\rtf1 \info a})", u"a"},
        {R"({\rtf1 a}b{\rtf1 c})", u"a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(QByteArray(c.rtf)), QString::fromUtf16(c.text)) << c.rtf;
    }
}

TEST(RtfFormats, GroupsTogglesFontsAndColours) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(R"({\rtf1\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman{\*\panose 0202}
Times New Roman;}{\f2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue128;}
\f0\fs20 a{\b b{\i c\b0 d}e}f\ul g\ulnone h\i i\plain j\f1\cf1\highlight2 k\cf0\super l
\nosupersub\strike m\strike0{\f2 p\'b7}\fs99999 n\fs o\ul0 q\uldb r\ul0\ulc5 s})",
                         doc));
    EXPECT_EQ(text(doc), QStringLiteral("abcdefghijklmπ•noqrs"));
    const auto at = [&](const char* s) { return formatOf(doc, QString::fromUtf8(s)); };
    struct Expect {
        const char* at;
        bool bold, italic, underline;
    };
    for (const Expect& e : {Expect{"a", false, false, false}, Expect{"b", true, false, false},
                            Expect{"c", true, true, false}, Expect{"d", false, true, false},
                            Expect{"e", true, false, false}, Expect{"f", false, false, false},
                            Expect{"g", false, false, true}, Expect{"h", false, false, false},
                            Expect{"i", false, true, false}, Expect{"j", false, false, false},
                            Expect{"q", false, false, false}, Expect{"r", false, false, true},
                            Expect{"s", false, false, false}}) {
        const QTextCharFormat f = at(e.at);
        EXPECT_EQ(f.fontWeight() == QFont::Bold, e.bold) << e.at;
        EXPECT_EQ(f.fontItalic(), e.italic) << e.at;
        EXPECT_EQ(f.fontUnderline(), e.underline) << e.at;
    }
    EXPECT_EQ(at("a").fontPointSize(), 10.0);
    EXPECT_EQ(at("j").fontPointSize(), 12.0); // \plain
    EXPECT_EQ(at("j").fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(at("k").fontFamilies().toStringList(),
              QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(at("k").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(at("k").background().color(), QColor(0, 0, 128));
    EXPECT_FALSE(at("l").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(at("l").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(at("m").verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_TRUE(at("m").fontStrikeOut());
    EXPECT_FALSE(at("π").fontStrikeOut());
    // Symbol characters are shown in the default font, not in the one the file names.
    EXPECT_EQ(at("π").fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(at("n").fontPointSize(), 1638.0);
    EXPECT_EQ(at("o").fontPointSize(), 12.0);
}

TEST(RtfParagraphs, AlignmentIndentsAndScope) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(R"({\rtf1 \qc a\par \qr b\par \pard c\qc\par \qj\li1500\ri300\fi-600
\sb150\sa450 d\par {\pard\qc e\par}f\par \pard\li-50\fi-9999999 g\par\sb99999999 h})",
                         doc));
    EXPECT_EQ(text(doc), QStringLiteral("a\nb\nc\nd\ne\nf\ng\nh"));
    const Qt::Alignment aligns[] = {Qt::AlignHCenter, Qt::AlignRight,   Qt::AlignHCenter,
                                    Qt::AlignJustify, Qt::AlignHCenter, Qt::AlignJustify};
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(block(doc, n).alignment(), aligns[n]) << n;
    }
    EXPECT_EQ(block(doc, 3).leftMargin(), 100.0);
    EXPECT_EQ(block(doc, 3).rightMargin(), 20.0);
    EXPECT_EQ(block(doc, 3).textIndent(), -40.0);
    EXPECT_EQ(block(doc, 3).topMargin(), 10.0);
    EXPECT_EQ(block(doc, 3).bottomMargin(), 30.0);
    EXPECT_EQ(block(doc, 5).leftMargin(), 100.0); // restored after the group
    EXPECT_EQ(block(doc, 6).leftMargin(), 0.0);
    EXPECT_EQ(block(doc, 6).textIndent(), 0.0); // a first line never starts left of the page
    EXPECT_EQ(block(doc, 7).topMargin(), 31680 / 15.0);
}

TEST(RtfInput, NotRtfLeavesTheDocumentEmpty) {
    for (const char* bad : {"", "hello", "{\\rt", "{\\RTF1 x}", "x{\\rtf1 y}", "\xEF\xBB{\\rtf1"}) {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("old"));
        EXPECT_FALSE(parseRtf(QByteArray(bad), doc)) << bad;
        EXPECT_TRUE(doc.isEmpty()) << bad;
    }
    for (const char* good : {"\xEF\xBB\xBF{\\rtf1 x}", " \r\n\xEF\xBB\xBF\t{\\rtf1 x}"}) {
        EXPECT_EQ(text(QByteArray(good)), QStringLiteral("x"));
    }
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old"));
    ASSERT_TRUE(parseRtf("{\\rtf1 new}", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new"));
    EXPECT_FALSE(doc.isUndoAvailable());
}

TEST(RtfInput, BrokenInputGivesPartialText) {
    const Case cases[] = {
        {R"({\rtf1 abc)", u"abc"},
        {R"({\rtf1 {\b a{{{)", u"a"},
        {R"({\rtf1 a}}}b)", u"a"},
        {R"({\rtf1 {\*\x a)", u""},
        {R"({\rtf1 x\u)", u"x"},
        {R"({\rtf1 x\u-)", u"x-"},
        {R"({\rtf1 x\u252)", u"xü"},
        {R"({\rtf1 x\')", u"x"},
        {R"({\rtf1 x\'4)", u"x"},
        {R"({\rtf1 x\)", u"x"},
        {R"({\rtf1 x\bin99999999999999)", u"x"},
        {R"({\rtf1 {\fonttbl{\f0 Ari)", u""},
        {R"({\rtf1 {\colortbl;\red)", u""},
        {R"({\rtf1 \fs-99999999999999999999 x\li99999999999999999999 y\uc99999999 z})", u"xyz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(QByteArray(c.rtf)), QString::fromUtf16(c.text)) << c.rtf;
    }
    // Cut anywhere, a file still gives text without markup.
    const QByteArray full = rtfSample("word_verbose.rtf");
    for (qsizetype n = 5; n < full.size(); n += 7) {
        const QString t = text(full.left(n));
        ASSERT_FALSE(t.contains(QLatin1Char('\\')) || t.contains(QLatin1Char('{'))) << n;
    }
}

TEST(RtfInput, DeepNestingStaysBalanced) {
    const QByteArray deep(100000, '{');
    const QByteArray up(100000, '}');
    QTextDocument doc;
    ASSERT_TRUE(parseRtf("{\\rtf1 {\\b " + deep + "x" + up + "y}z}", doc));
    EXPECT_EQ(text(doc), QStringLiteral("xyz"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("y")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, QStringLiteral("z")).fontWeight(), QFont::Normal);
    EXPECT_EQ(text("{\\rtf1 a" + deep + "b"), QStringLiteral("ab"));
    EXPECT_EQ(text("{\\rtf1 a" + up + "b"), QStringLiteral("a"));
}

// Random token soup: any mix must parse and lay out.
TEST(RtfInput, TokenSoupParsesAndLaysOut) {
    const char* tokens[] = {"{",
                            "}",
                            "\\b",
                            "\\par ",
                            "x",
                            "\\u-10179?",
                            "\\'e4",
                            "\\'",
                            "\\*",
                            "\\bin3 ",
                            "\\fonttbl",
                            "\\colortbl",
                            ";",
                            "\\f1 ",
                            "\\cf2 ",
                            "\\red9",
                            "\\uc3",
                            "\\fs-1",
                            "\\li9999999999",
                            "\\fi-99999",
                            "\\qc",
                            "\\pard",
                            "\\plain",
                            "\\u-8694 ",
                            "\\\n",
                            "\\pict",
                            "\\v",
                            "\xFF",
                            "\\line",
                            "\\tab",
                            "\\sb99999",
                            "\\~"};
    std::mt19937 random(1234);
    std::uniform_int_distribution<size_t> pick(0, std::size(tokens) - 1);
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        for (int k = 0; k < 200; ++k) {
            rtf += tokens[pick(random)];
        }
        QTextDocument doc;
        ASSERT_TRUE(parseRtf(rtf, doc));
        doc.setTextWidth(300);
        ASSERT_GE(doc.documentLayout()->documentSize().height(), 0.0) << rtf.constData();
    }
}

} // namespace
