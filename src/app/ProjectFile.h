#pragma once

#include <QString>
#include <string_view>

class QWidget;

// The project file as this editor last read or wrote it, so that a save does not silently
// write over what another program (another editor) saved to it in between.
namespace projectfile {

// Notes what `fileName` holds now: the `bytes` just read from it or written to it.
void remember(const QString& fileName, std::string_view bytes);

enum class Overwrite { Yes, SaveAs, Cancel };
// Before a save writes over `fileName`: Yes when it is as this editor last read or wrote it
// (or this editor never read it), else the user's answer to the question.
Overwrite askBeforeOverwriting(QWidget* parent, const QString& fileName);

} // namespace projectfile
