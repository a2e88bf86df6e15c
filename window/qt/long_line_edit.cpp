// The input field, which must stay responsive with a line of megabytes pasted into it.
#include "window/qt/long_line_edit.h"

#include "window/qt/long_line_accessible.h"
#include "window/qt/text_boundaries.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// Edits up to this size go through the base class in place; larger ones replace the text whole, since
// the base class keeps an undo entry for every character it inserts or removes.
constexpr int kSmallEdit = 4096;

} // namespace

LongLineEdit::LongLineEdit(QWidget* parent) : QLineEdit(parent)
{
    static const bool described = [] {
        QAccessible::installFactory(longLineInterface);
        return true;
    }();
    (void)described;
    connect(this, &QLineEdit::textChanged, this, &LongLineEdit::onTextChanged);
    connect(this, &QLineEdit::cursorPositionChanged, this, &LongLineEdit::onCursorMoved);
    connect(this, &QLineEdit::selectionChanged, this, &LongLineEdit::onCursorMoved);
}

void LongLineEdit::showLongLine(bool on)
{
    if (m_long == on)
        return;
    m_long = on;
    // Switching the echo off also marks the field as secret for input methods; it is not.
    const Qt::InputMethodHints hints = inputMethodHints();
    setEchoMode(on ? QLineEdit::NoEcho : QLineEdit::Normal);
    setInputMethodHints(hints);
    m_history.clear();
    m_view.invalidate();
    if (on)
        keepCursorVisible();
    restartBlink();
    update();
}

bool LongLineEdit::wouldBeLong(const QString& inserted) const
{
    return text().size() - selectionLength() + inserted.size() > kLongLine;
}

void LongLineEdit::replace(int start, int length, const QString& with, Change change)
{
    if (length == 0 && with.isEmpty())
        return;
    const qsizetype newSize = text().size() - length + with.size();
    if (newSize > kLongLine)
        showLongLine(true); // before the base class holds the line, so that it never lays it out
    const bool selected = hasSelectedText() && selectionStart() == start && selectionLength() == length;
    TextEdit edit{start, text().mid(start, length), with, cursorPosition(), selected};

    m_applying = true;
    if (length + with.size() <= kSmallEdit) {
        setSelection(start, length);
        if (with.isEmpty())
            del();
        else
            insert(with);
    } else {
        // Built at its final size: growing a copy in place would reserve half as much again.
        const QString line = text();
        QString changed;
        changed.reserve(newSize);
        changed.append(QStringView(line).first(start)).append(with).append(QStringView(line).sliced(start + length));
        setText(changed);
    }
    setCursorPosition(start + static_cast<int>(with.size()));
    m_applying = false;

    if (change != Change::History) {
        m_history.record(std::move(edit), change == Change::Keystroke);
        if (newSize <= kLongLine / 2)
            showLongLine(false);
    }
    m_view.invalidate();
    if (change != Change::History)
        keepCursorVisible(); // an undo places the cursor afterwards, and scrolls only then
    restartBlink();
    update();
    updateMicroFocus();
}

void LongLineEdit::replaceSelection(const QString& with, Change change)
{
    if (hasSelectedText())
        replace(selectionStart(), selectionLength(), with, change);
    else
        replace(cursorPosition(), 0, with, change);
}

void LongLineEdit::undoEdit()
{
    // The cursor, and the selection that was replaced, come back as they were.
    if (const auto edit = m_history.undo()) {
        replace(edit->position, static_cast<int>(edit->inserted.size()), edit->removed, Change::History);
        const int removed = static_cast<int>(edit->removed.size());
        if (edit->selected && edit->cursor == edit->position)
            setSelection(edit->position + removed, -removed);
        else if (edit->selected)
            setSelection(edit->position, removed);
        else
            setCursorPosition(edit->cursor);
        keepCursorVisible();
    }
}

void LongLineEdit::redoEdit()
{
    if (const auto edit = m_history.redo()) {
        replace(edit->position, static_cast<int>(edit->removed.size()), edit->inserted, Change::History);
        keepCursorVisible();
    }
}

void LongLineEdit::pasteFrom(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode);
    if (!clip.isEmpty() || hasSelectedText())
        replaceSelection(clip, Change::Edit);
}

void LongLineEdit::copyTo(QClipboard::Mode mode) const
{
    if (hasSelectedText() && (mode == QClipboard::Clipboard || QGuiApplication::clipboard()->supportsSelection()))
        QGuiApplication::clipboard()->setText(selectedText(), mode);
}

void LongLineEdit::moveTo(int position, bool select)
{
    if (!select) {
        setCursorPosition(position);
        return;
    }
    int anchor = cursorPosition();
    if (hasSelectedText())
        anchor = anchor == selectionStart() ? selectionEnd() : selectionStart();
    setSelection(anchor, position - anchor);
}

void LongLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    restartBlink();
}

void LongLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    restartBlink();
    update();
}

void LongLineEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    const QEvent::Type type = event->type();
    if (m_long &&
        (type == QEvent::FontChange || type == QEvent::StyleChange || type == QEvent::LayoutDirectionChange)) {
        m_view.invalidate();
        keepCursorVisible();
    }
}

void LongLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    if (m_long)
        keepCursorVisible();
}

void LongLineEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_cursorShown = !m_cursorShown;
        update(cursorRectangle());
    } else if (event->timerId() == m_tripleClick.timerId()) {
        m_tripleClick.stop();
    } else {
        QLineEdit::timerEvent(event);
    }
}

void LongLineEdit::onTextChanged()
{
    if (m_applying)
        return;
    if (!m_long) {
        // Typed or set past the limit: the base class has laid the line out once, and now stops.
        if (text().size() > kLongLine)
            showLongLine(true);
        return;
    }
    // Set from outside: the history no longer applies.
    m_history.clear();
    if (text().size() <= kLongLine) {
        showLongLine(false);
        return;
    }
    m_view.invalidate();
    keepCursorVisible();
    update();
}

void LongLineEdit::onCursorMoved()
{
    if (m_applying)
        return;
    m_history.endRun();
    if (m_long) {
        keepCursorVisible();
        restartBlink();
        update();
    }
}

void LongLineEdit::keepCursorVisible()
{
    m_view.keepVisible(text(), cursorPosition(), font(), layoutDirection(), textLine().width());
}

void LongLineEdit::restartBlink()
{
    m_cursorShown = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_long && hasFocus() && !isReadOnly() && flashTime >= 2)
        m_blink.start(flashTime / 2, this);
    else
        m_blink.stop();
}

QRect LongLineEdit::textLine() const
{
    // The margins and the vertical placement of the toolkit's line edit.
    constexpr int kHorizontalMargin = 2;
    constexpr int kVerticalMargin = 1;
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    const int height = fontMetrics().height();
    int top = contents.y() + (contents.height() - height + 1) / 2;
    if (alignment() & Qt::AlignTop)
        top = contents.y() + kVerticalMargin;
    else if (alignment() & Qt::AlignBottom)
        top = contents.bottom() + 1 - height - kVerticalMargin;
    return {contents.x() + kHorizontalMargin, top, contents.width() - 2 * kHorizontalMargin, height};
}

int LongLineEdit::positionAt(const QPoint& point)
{
    if (!m_long)
        return cursorPositionAt(point);
    return m_view.positionAt(text(), point.x() - textLine().left());
}

QRect LongLineEdit::characterRectangle(int position) const
{
    const QString line = text();
    if (position < 0 || position >= line.size())
        return {};
    const QRect textLine = this->textLine();
    const int next = nextCharacter(line, position);
    if (m_long) {
        const auto left = m_view.xOf(position);
        const auto right = m_view.xOf(next);
        if (!left || !right)
            return {};
        return {textLine.left() + qRound(*left), textLine.top(), qMax(1, qRound(*right - *left)), textLine.height()};
    }
    // Measured from the cursor, whose place the toolkit's line edit knows, scrolling included; the cursor
    // rectangle reaches 5 pixels left of the cursor.
    const QFontMetrics metrics = fontMetrics();
    const int cursorX = cursorRect().left() + 5;
    const int x = cursorX + metrics.horizontalAdvance(line.left(position)) -
                  metrics.horizontalAdvance(line.left(cursorPosition()));
    return {x, textLine.top(), qMax(1, metrics.horizontalAdvance(line.mid(position, next - position))),
            textLine.height()};
}

QRect LongLineEdit::cursorRectangle() const
{
    const QRect line = textLine();
    const int x = line.left() + qRound(m_view.xOf(cursorPosition()).value_or(0));
    // Wide enough for any style's cursor.
    return {x - 5, line.top(), 10, line.height()};
}

void LongLineEdit::paintEvent(QPaintEvent* event)
{
    if (!m_long) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    painter.setClipRect(contents);

    const QPalette& palette = this->palette();
    painter.setPen(palette.text().color());
    const bool blinkWhileSelected = style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &panel, this);
    const bool cursorShown = hasFocus() && !isReadOnly() && m_cursorShown && (!hasSelectedText() || blinkWhileSelected);
    const int start = hasSelectedText() ? selectionStart() : 0;
    const int end = hasSelectedText() ? selectionEnd() : 0;
    m_view.draw(painter, {textLine().topLeft(), contents, start, end, palette,
                          cursorShown ? std::optional<int>(cursorPosition()) : std::nullopt,
                          style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this)});
}
