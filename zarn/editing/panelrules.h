#pragma once
// The tag panel's editing rules as plain functions: the two number filters, copying between the
// tag versions, the title and artist box lengths and colours, and where Up and Down go.
#include <QString>

#include "zarn/editing/panelstate.h"

// What a key typed into a number box does.
struct NumberKey {
    enum Action { Accept, Reject, Replace } action = Reject;
    QString text;  // the box's new text for Replace
};
// The ID3v1 year and track boxes: digits, "*" and Backspace pass; "+" and "-" change a number
// by one (its whole part, written back as a plain integer); every other key is refused.
NumberKey ID3v1NumberKey(const QString& boxText, QChar key);
// The ID3v2 year and track boxes: the same, but "+" and "-" act on digits only and "-" stops
// at 0.
NumberKey ID3v2NumberKey(const QString& boxText, QChar key);

// "Copy from ID3v1": ID3v2 checked, the six shared fields copied unchanged.
PanelValues CopiedFromID3v1(PanelValues values);
// "Copy to ID3v1": ID3v1 checked, each field cut to what the ID3v1 box holds (the comment to
// 28, leaving room for the track); the track unchanged.
PanelValues CopiedToID3v1(PanelValues values);

// A title or artist longer than an ID3v1 field, shown in light yellow.
bool NeedsOptimizedPacking(const QString& text);

// The row Up or Down selects: the one before or after `current`, held at the ends; -1 for an
// empty list.
int RowAfterArrow(int current, int count, bool up);
