// Painting one 16 by 16 sheet cell in its own coordinates, and placing it on the sheet. Nothing
// is ever painted outside the shared silhouette, so no picture can leak past the mask.
#pragma once

#include <array>

#include "game/Game.h"
#include "tools/Picture.h"

namespace nuikaro {

using Cell = std::array<Rgba, CellPixels * CellPixels>;

// Pixel centres relative to the cell centre, doubled so they stay integers: -15, -13, ..., 15.
int Doubled(int coordinate);

Rgba& At(Cell& cell, int x, int y);
// Paints one pixel if it lies inside the silhouette.
void Put(Cell& cell, int x, int y, Rgba colour);
void FillSilhouette(Cell& cell, Rgba colour);
// A one-pixel rim on the inside of the silhouette, so every picture reads on any background.
void Outline(Cell& cell, Rgba colour);
// A disc around (cx, cy) in pixel-centre coordinates (the cell centre is 7.5, 7.5).
void Disc(Cell& cell, double cx, double cy, double radius, Rgba colour);
void Rect(Cell& cell, int left, int top, int right, int bottom, Rgba colour);
// Turns a picture drawn facing up by a quarter turn clockwise per step, giving right, down, left.
Cell Rotate(const Cell& up, int quarterTurns);
// Copies the cell to the sheet cell in column and row.
void Place(Picture& sheet, int column, int row, const Cell& cell);

}  // namespace nuikaro
