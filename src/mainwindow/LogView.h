#pragma once

#include "settings/LogLines.h"

#include <map>
#include <memory>
#include <QAbstractScrollArea>
#include <QString>

class QTextLayout;

namespace tarvik {

class TextCodec;

// A read-only view of the log's lines that decodes and lays out only the rows on screen, so a
// log of many megabytes costs its bytes and an index of its lines. Like a read-only text box: the
// lines wrap at the width, an empty row follows the last line, the mouse selects, the keyboard
// scrolls, and the selection can be copied (also from the context menu). Scrolling is by rows.
class LogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LogView(const TextCodec& codec, QWidget* parent = nullptr);
    ~LogView() override;

    // Shows `lines`, scrolled to the end, nothing selected.
    void setLines(LogLines lines);
    void clear();
    const LogLines& lines() const { return m_lines; }

    // The first row on screen; rows are the log's lines and the empty row after them.
    int topRow() const;
    void setTopRow(int row);
    int rowCount() const { return static_cast<int>(m_lines.size()) + 1; }

    // The whole text as a text box gives it: every row, each but the last followed by "\n".
    QString toPlainText() const;
    QString selectedText() const;
    void selectAll();
    void copy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A place in the text: a row and a position in its decoded text (UTF-16 units).
    struct Place {
        int row = 0;
        int column = 0;
        auto operator<=>(const Place&) const = default;
    };

    QString rowText(int row) const;
    // The row laid out at the viewport's width, kept while it may be on screen.
    QTextLayout& layoutOf(int row) const;
    int rowHeight(int row) const;
    int textWidth() const;
    void forgetLayouts();
    void updateScrollRange();
    Place placeAt(QPoint viewportPos) const;
    // The rows of the text between two places, each but the last followed by "\n".
    QString textBetween(Place from, Place to) const;
    bool hasSelection() const { return m_anchor != m_cursor; }

    const TextCodec& m_codec;
    LogLines m_lines;
    mutable std::map<int, std::unique_ptr<QTextLayout>> m_layouts;
    Place m_anchor; // the selection runs from the anchor to the cursor, in either order
    Place m_cursor;
    bool m_selecting = false;
};

} // namespace tarvik
