// A reader of the rich-text files the program shows: groups, font and colour tables, bold,
// italic, underline, sizes, colours, paragraphs with alignment and indents, Windows-1252 and
// Unicode characters; destinations it does not show are skipped.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace zb::ui {

// Replaces the document's content with the RTF text. Never throws and never hangs; input that
// is not RTF at all (no "{\rtf" at the start, after optional whitespace or byte-order mark)
// leaves the document empty and returns false.
bool parseRtf(const QByteArray& rtf, QTextDocument& document);

} // namespace zb::ui
