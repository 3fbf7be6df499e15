#pragma once

#include <QImage>

// Every function draws one picture at `scale` times its 1x size (1 or 2) and
// returns it unquantised; main.cpp decides the file format.

// Faces may be drawn at any scale (the notices show them smaller).
QImage renderFace(int code, double scale);
// A faint empty card place with its corner letters, as the board shows foundations.
QImage renderSlotOutline(int scale);

QImage renderBoard(int scale);
QImage renderSelectionFrame(int scale, QRgb transparentKey);
QImage renderUndoArrow(int scale);
QImage renderHand(int scale);      // ARGB: black, white or transparent
QImage renderEmblemIcon(int scale); // ARGB: transparent background
QImage renderHelpLeaves(int scale);
QImage renderLogo(int scale);

QImage renderFullFanNotice(int scale);
QImage renderInvalidMoveNotice(int scale);
QImage renderWinNotice(int scale);

QImage renderExample();
