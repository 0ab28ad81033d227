// Lists, tables, footnotes and links as word processors write them, laid out as they show them.
// The samples were written from lists_table.md (a bullet list, a numbered list, a table, a
// footnote and a link):
//   pandoc -s lists_table.md -o pandoc_lists_table.rtf                      (pandoc 2.17)
//   pandoc lists_table.md -o wellen.odt
//   soffice --headless --convert-to rtf wellen.odt   -> office_lists_table.rtf (LibreOffice 7.4)
#include "text/link_opener.h"
#include "text/rtf_destinations.h"
#include "text/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextTable>

#include <gtest/gtest.h>

#include <cmath>

#include "rtf_samples.h"

namespace {

using zb::ui::parseRtf;

using zb::test::rtfSample;

QTextTable* firstTable(QTextDocument& doc) {
    for (QTextFrame* frame : doc.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

QTextBlock blockStarting(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().trimmed().startsWith(text))
            return b;
    return {};
}

// Where the first character of needle in block b is laid out, from the block's left edge.
double xOf(const QTextBlock& b, const QString& needle) {
    const int at = int(b.text().indexOf(needle));
    EXPECT_GE(at, 0) << needle.toStdString();
    return b.layout()->lineForTextPosition(at).cursorToX(at);
}

void expectListsTableFootnoteAndLink(const char* file) {
    SCOPED_TRACE(file);
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(rtfSample(file), doc));
    doc.setTextWidth(600);
    (void)doc.documentLayout()->documentSize();

    // Bullets and numbers hang: each starts the first line, and the text after the tab starts
    // at the left margin, where the following lines start. The samples name fonts this machine
    // may lack, so the label's width is the stand-in's: it must leave the gap to the margin.
    for (const char* item : {"•", "1."}) {
        SCOPED_TRACE(item);
        const QTextBlock b = blockStarting(doc, QString::fromUtf8(item));
        ASSERT_TRUE(b.isValid());
        const QTextBlockFormat f = b.blockFormat();
        EXPECT_GT(f.leftMargin(), 0);
        EXPECT_LT(f.textIndent(), 0);
        EXPECT_NEAR(xOf(b, QString::fromUtf8(item)), f.leftMargin() + f.textIndent(), 0.5);
        const int tab = int(b.text().indexOf(QLatin1Char('\t')));
        ASSERT_GT(tab, 0);
        ASSERT_LT(xOf(b, QStringLiteral("\t")), f.leftMargin());
        EXPECT_NEAR(xOf(b, b.text().mid(tab + 1, 3)), f.leftMargin(), 0.5);
    }

    QTextTable* table = firstTable(doc);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 3);
    ASSERT_EQ(table->columns(), 3);
    const char* cells[3][3] = {{"Größe", "Zeichen", "Einheit"},
                               {"Wellenlänge", "λ", "Schwinger"},
                               {"Frequenz", "f", "Hz"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
            cursor.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
            EXPECT_EQ(cursor.selectedText(), QString::fromUtf8(cells[r][c])) << r << " " << c;
        }

    // The footnote's text closes the document; its number stands in the text.
    const QString all = doc.toPlainText();
    EXPECT_TRUE(all.trimmed().endsWith(QStringLiteral("Nur der Schwingungszustand wandert.")));
    EXPECT_TRUE(all.contains(QStringLiteral("Materie.1 Mehr"))) << all.toStdString();
    EXPECT_GT(all.indexOf(QStringLiteral("Nur der")), all.indexOf(QStringLiteral("Hz")));

    QTextCursor link(&doc);
    link.setPosition(int(all.indexOf(QStringLiteral("Wellenseite"))) + 1);
    EXPECT_TRUE(link.charFormat().isAnchor());
    EXPECT_EQ(link.charFormat().anchorHref(), QStringLiteral("https://example.org/wellen"));
}

TEST(RtfLayout, PandocListsTableFootnoteAndLink) {
    expectListsTableFootnoteAndLink("pandoc_lists_table.rtf");
}

TEST(RtfLayout, OfficeListsTableFootnoteAndLink) {
    expectListsTableFootnoteAndLink("office_lists_table.rtf");
}

QString cellText(QTextTable* t, int r, int c) {
    QTextCursor cursor = t->cellAt(r, c).firstCursorPosition();
    cursor.setPosition(t->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

// Rows without \par in their cells, a row with more cells than it defines, an empty cell, and
// text before and after the table.
TEST(RtfLayout, TablesGrowAndEndWhereTheTextDoes) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(R"({\rtf1 vor\par\trowd\cellx1500\cellx3000\intbl a\cell b\par c\cell\row
\trowd\cellx1500\intbl d\cell\cell e\cell\row\pard nach\par})",
                         doc));
    QTextTable* t = firstTable(doc);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->rows(), 2);
    ASSERT_EQ(t->columns(), 3);
    EXPECT_EQ(cellText(t, 0, 0), QStringLiteral("a"));
    EXPECT_EQ(cellText(t, 0, 1), QStringLiteral("b\u2029c"));
    EXPECT_EQ(cellText(t, 1, 0), QStringLiteral("d"));
    EXPECT_EQ(cellText(t, 1, 1), QString());
    EXPECT_EQ(cellText(t, 1, 2), QStringLiteral("e"));
    EXPECT_EQ(t->format().columnWidthConstraints().value(0),
              QTextLength(QTextLength::FixedLength, 100));
    EXPECT_EQ(doc.firstBlock().text(), QStringLiteral("vor"));
    EXPECT_EQ(doc.lastBlock().text(), QStringLiteral("nach"));
    EXPECT_GT(doc.lastBlock().position(), t->lastPosition());
}

// Right, centred and left stops from \tx, in pixels; a leader does not change the stop, a
// hanging indent adds its own, and past them the document's default stops lie every \deftab
// from the left edge.
TEST(RtfLayout, TabStops) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(R"({\rtf1\deftab9000\pard\tqr\tldot\tx3000\tqc\tx1500\tx600 a\par
\pard\li720\fi-360\tx2000 b\par\pard\li720\fi-360\tx500 c\par})",
                         doc));
    const QList<QTextOption::Tab> first = doc.findBlockByNumber(0).blockFormat().tabPositions();
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(first[0], QTextOption::Tab(40, QTextOption::LeftTab));
    EXPECT_EQ(first[1], QTextOption::Tab(100, QTextOption::CenterTab));
    EXPECT_EQ(first[2], QTextOption::Tab(200, QTextOption::RightTab));
    EXPECT_EQ(first[3], QTextOption::Tab(600, QTextOption::LeftTab));
    EXPECT_EQ(first[4], QTextOption::Tab(1200, QTextOption::LeftTab));
    EXPECT_EQ(first[5], QTextOption::Tab(1800, QTextOption::LeftTab));
    const QList<QTextOption::Tab> hanging = doc.findBlockByNumber(1).blockFormat().tabPositions();
    ASSERT_EQ(hanging.size(), 5);
    // From the first line's start at 360 twips: the indent's own stop, then 2000 twips.
    EXPECT_EQ(hanging[0].position, 24.0);
    EXPECT_NEAR(hanging[1].position, (2000 - 360) / 15.0, 1e-9);
    EXPECT_NEAR(hanging[2].position, (9000 - 360) / 15.0, 1e-9);
    const QList<QTextOption::Tab> covered = doc.findBlockByNumber(2).blockFormat().tabPositions();
    ASSERT_EQ(covered.size(), 4) << "a stop inside the hanging indent takes its place";
    EXPECT_NEAR(covered[0].position, (500 - 360) / 15.0, 1e-9);
    EXPECT_NEAR(covered[1].position, (9000 - 360) / 15.0, 1e-9);
}

// A list item as word processors lay it out, whatever the font: the label at the start of the
// first line, the text after its tab at the indent; a label wider than the hanging indent's gap
// sends the text on to the next stop, the paragraph's own or else a default one. Widths are
// measured in the font the layout got.
TEST(RtfLayout, ListLabelsHangAndWideOnesGoToTheNextStop) {
    QTextDocument doc;
    ASSERT_TRUE(parseRtf(R"({\rtf1\deff0\deftab567{\fonttbl{\f0\fswiss DejaVu Sans;}}\fs24
{\listtext\pard\plain  1.\tab}\pard\li720\fi-360 Eins\par
{\listtext\pard\plain 100000.\tab}\pard\li720\fi-360 Viele\par
{\listtext\pard\plain 100000.\tab}\pard\li720\fi-360\tx3000 Weiter\par})",
                         doc));
    doc.setTextWidth(600);
    (void)doc.documentLayout()->documentSize();
    const auto labelEnd = [](const QTextBlock& b) { return xOf(b, QStringLiteral("\t")); };

    const QTextBlock narrow = doc.findBlockByNumber(0);
    EXPECT_EQ(narrow.text().toStdString(), "1.\tEins") << "the blank before the number";
    EXPECT_NEAR(xOf(narrow, QStringLiteral("1.")), 24.0, 0.5);
    ASSERT_LT(labelEnd(narrow), 48.0);
    EXPECT_NEAR(xOf(narrow, QStringLiteral("Eins")), 48.0, 0.5);

    // No stop of its own past the indent: the first default stop past the label, 567 twips
    // apart from the left edge.
    const QTextBlock wide = doc.findBlockByNumber(1);
    ASSERT_GT(labelEnd(wide), 48.0);
    const double grid = 567 / 15.0;
    EXPECT_NEAR(xOf(wide, QStringLiteral("Viele")), (std::floor(labelEnd(wide) / grid) + 1) * grid,
                0.5)
        << "label ends at " << labelEnd(wide);

    const QTextBlock stopped = doc.findBlockByNumber(2);
    ASSERT_GT(labelEnd(stopped), 48.0);
    ASSERT_LT(labelEnd(stopped), 200.0);
    EXPECT_NEAR(xOf(stopped, QStringLiteral("Weiter")), 200.0, 0.5);
}

TEST(RtfLayout, HyperlinkTargets) {
    using zb::ui::rtf::hyperlinkTarget;
    EXPECT_EQ(hyperlinkTarget(QStringLiteral(" HYPERLINK \"https://a.example/x y\" \\o \"tip\"")),
              QStringLiteral("https://a.example/x y"));
    EXPECT_EQ(hyperlinkTarget(QStringLiteral("HYPERLINK https://a.example/")),
              QStringLiteral("https://a.example/"));
    EXPECT_EQ(hyperlinkTarget(QStringLiteral("HYPERLINK \\l \"Teil2\"")), QStringLiteral("#Teil2"));
    EXPECT_EQ(hyperlinkTarget(QStringLiteral("PAGE")), QString());
    EXPECT_EQ(hyperlinkTarget(QStringLiteral("HYPERLINK \"unclosed")), QStringLiteral("unclosed"));
}

// A click on a web link hands it to the opener; a link to a local file is no link.
TEST(RtfLayout, ClickedWebLinksOpen) {
    QTextEdit view;
    view.setReadOnly(true);
    view.resize(400, 200);
    ASSERT_TRUE(parseRtf(
        R"({\rtf1 {\field{\*\fldinst HYPERLINK "https://example.org/"}{\fldrslt Webseite}} und {\field{\*\fldinst HYPERLINK "file:///etc/passwd"}{\fldrslt Datei}}})",
        *view.document()));
    QList<QUrl> opened;
    zb::ui::openLinksInBrowser(view, [&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    zb::ui::openLinksInBrowser(view, [&](const QUrl& url) { // replaces, does not add
        opened.append(url);
        return true;
    });
    view.show();
    const auto click = [&](int position) {
        QTextCursor c(view.document());
        c.setPosition(position);
        const QPointF at = view.cursorRect(c).center() + QPointF(2, 0);
        QMouseEvent press(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(view.viewport(), &release);
    };
    click(2);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.org/")));
    click(int(view.toPlainText().indexOf(QStringLiteral("Datei"))) + 2);
    EXPECT_EQ(opened.size(), 1);
}

} // namespace
