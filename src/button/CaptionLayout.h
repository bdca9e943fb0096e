#pragma once

#include "ButtonRecord.h"

#include <QChar>

namespace tavirel::button {

// The caption's length in bytes of the single-byte code page the captions are written in.
int AnsiLength(const QString& caption);

// The access key the caption's ampersand marks, in lower case, or a null character: "&Herbs"
// gives 'h', "&&" stands for a literal ampersand, and only the first marked key counts.
QChar accessKeyOf(const QString& caption);

// Text flags shared by measuring and drawing: centred, wrapped at words, "&" underlines.
int captionDrawFlags();

// Picture size in pixels from PictureNormal (0 × 0 without one).
void GetPictureSize(ButtonRecord& b);

// Lays out CaptionRect, TextRect and, through CalcPicturePos, the picture's place.
void CalcCaptionRect(ButtonRecord& b);
void CalcPicturePos(ButtonRecord& b);

} // namespace tavirel::button
