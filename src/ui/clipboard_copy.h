#pragma once
// Copies to the clipboard. Each copy is one QMimeData that holds every format
// of that copy (plain text, and comma-separated lines as "text/csv", on
// Windows also in the registered format "CSV") and replaces the whole
// clipboard, so no format of an earlier copy stays beside it. Lines are
// joined with CR LF, as text files made on Windows are.

#include <QString>
#include <QStringList>

#include <memory>

class QMimeData;
class QPlainTextEdit;

// The MIME type of comma-separated lines.
inline constexpr char kCsvMimeType[] = "text/csv";

// The formats of one copy: `plainText` when not empty, and the CSV lines
// (every line followed by CR LF) when there are any.
std::unique_ptr<QMimeData> MakeClipboardData(const QString& plainText, const QStringList& csvLines);

// Puts one copy on the clipboard, replacing everything there.
void SetClipboardData(std::unique_ptr<QMimeData> data);

// The memo's selection, or its whole text when nothing is selected and
// `copyAll` is set, as plain text with CR LF line ends. Returns false, leaving
// the clipboard alone, when there is nothing to copy.
bool CopyMemoToClipboard(const QPlainTextEdit& memo, bool copyAll);

// A result's comma-separated lines as "text/csv", with `plainText` (what the
// window shows) as the plain text, or else the lines themselves. An empty list
// puts no CSV on the clipboard.
void CopyListToClipboardAsCsv(const QStringList& list, const QString& plainText = QString());
