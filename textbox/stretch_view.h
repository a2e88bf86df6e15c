// A native text box as a view of a line that may be too long for it to hold: what the box holds (the
// whole line, or a stretch of it around the cursor), when it must take its text again and how, the
// offsets both ways, and when the stretch moves.
//
// A native box lays out and shapes its whole text on every change; past a threshold it holds only a
// stretch, which moves along with the cursor, but never while an input method composes or a mouse
// button is down: both would lose their place. The model makes every edit it can, and the box takes it
// as one replacement of a part of its text (update); what the box edits itself (an input method's
// text), it reports (boxEdited, boxSelected).
#pragma once

#include "textbox/line_model.h"

#include <optional>
#include <string_view>

struct FieldSizes
{
    int threshold; // lines up to this many code units are held whole
    int side;      // a stretch reaches this far either side of the cursor
    int margin;    // the stretch moves when the cursor comes this near an end with more line beyond
};

// A part of the line a native box holds, [start, end).
struct Stretch
{
    int start = 0;
    int end = 0;
    [[nodiscard]] int size() const { return end - start; }
    friend bool operator==(const Stretch&, const Stretch&) = default;
};

// About twice side of the line around the cursor, held to the line, starting and ending between
// characters: the whole line when it is no longer.
[[nodiscard]] Stretch stretchAround(const LineModel& model, int side);

// A box that held shown now holds text, after an edit of the kind run that it made itself: the difference
// goes into the line as one edit, and shown grows or shrinks with it. It is found from both ends, but no
// further in than the selection was, so that a letter typed or deleted next to its like is placed right.
void takeBoxEdit(LineModel& model, Stretch& shown, std::u16string_view text, LineModel::Run run);

class StretchView
{
public:
    // What the box is to do now, in its own offsets.
    struct Update
    {
        enum class Text
        {
            Kept,
            Replaced, // the box takes the stretch's text whole
            Edited,   // the box's [editStart, editEnd) gives way to editText
        };
        Text text = Text::Kept;
        std::u16string_view stretchText; // Replaced: what the box holds now
        int editStart = 0;
        int editEnd = 0;
        std::u16string_view editText;
        int anchor = 0; // the selection; the caret is at the cursor
        int cursor = 0;
        bool selectionChanged = false; // the box is to take the selection: it shows another, or new text
    };

    // Views model, which must outlive it, in a box of these sizes.
    StretchView(LineModel& model, FieldSizes sizes);
    StretchView(const StretchView&) = delete;
    StretchView& operator=(const StretchView&) = delete;

    // What the box must take to show the line and its selection now; the stretch moves first when the
    // cursor has come near an end of it and it may move. The box then holds and shows what it says.
    [[nodiscard]] Update update();

    // The box edited its text itself and holds text now, after an edit of the kind run.
    void boxEdited(std::u16string_view text, LineModel::Run run);
    // The box's selection is [start, end) now, in order. A selection end that arrives at an edge of the
    // stretch with more line beyond, further than a character or a word from where it was, goes on to the
    // line's end on that side: whatever moved it there without the field seeing (a browser's own key
    // binding, a screen reader) meant the line's end, not the stretch's. Not so under the mouse, where the
    // user may have scrolled to that edge and clicked.
    void boxSelected(int start, int end);

    // An input method composes in the box from now until compositionEnds. It replaces the selection; one
    // that reaches past the stretch the model deletes first.
    void compositionStarts();
    void compositionEnds() { m_composing = false; }
    void setPointerDown(bool down) { m_pointerDown = down; }

    [[nodiscard]] const Stretch& shown() const { return m_shown; }
    [[nodiscard]] int toBox(int position) const;

private:
    struct PendingEdit
    {
        int start; // in the box
        int end;
        int lineStart; // where the inserted text now stands in the line
        int length;
    };

    void modelChanged(int start, int removed, int inserted);
    [[nodiscard]] bool selectionReachesPast() const;
    [[nodiscard]] Stretch stretchAroundCursor() const;
    [[nodiscard]] bool serves(Stretch shown) const;
    [[nodiscard]] bool mayMove() const { return !m_composing && !m_pointerDown; }
    // position, or the line's end on its side when it stands at an edge of the stretch by a jump from was.
    [[nodiscard]] int pastEdge(int position, int was) const;

    LineModel& m_model;
    FieldSizes m_sizes;
    Stretch m_shown;
    bool m_stale = true; // the box does not hold the stretch's text
    std::optional<PendingEdit> m_pending;
    bool m_taking = false; // the model takes an edit the box made
    int m_boxAnchor = -1;  // the box's selection as last shown or seen
    int m_boxCursor = -1;
    bool m_composing = false;
    bool m_pointerDown = false;
};
