#include "mainwindow/LogView.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

namespace tarvik {

namespace {

constexpr int kMargin = 4;       // around the text, as a text box's document has
constexpr int kMaxLayouts = 256; // rows kept laid out: a few screens

} // namespace

LogView::LogView(const TextCodec& codec, QWidget* parent) : QAbstractScrollArea(parent), m_codec(codec) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(1);
    updateScrollRange();
}

LogView::~LogView() = default;

void LogView::setLines(LogLines lines) {
    m_lines = std::move(lines);
    m_anchor = m_cursor = Place{};
    forgetLayouts();
    updateScrollRange();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void LogView::clear() {
    setLines(LogLines());
}

int LogView::topRow() const {
    return verticalScrollBar()->value();
}

void LogView::setTopRow(int row) {
    verticalScrollBar()->setValue(row);
}

QString LogView::rowText(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_lines.size()) {
        return QString(); // the empty row after the last line
    }
    return QString::fromStdString(m_codec.toUtf8Lossy(m_lines.line(static_cast<std::size_t>(row))));
}

int LogView::textWidth() const {
    return std::max(1, viewport()->width() - 2 * kMargin);
}

QTextLayout& LogView::layoutOf(int row) const {
    auto it = m_layouts.find(row);
    if (it != m_layouts.end()) {
        return *it->second;
    }
    if (static_cast<int>(m_layouts.size()) >= kMaxLayouts) {
        m_layouts.clear();
    }
    auto layout = std::make_unique<QTextLayout>(rowText(row), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    const int lineHeight = fontMetrics().lineSpacing();
    int y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(textWidth());
        line.setPosition(QPointF(0, y));
        y += lineHeight;
    }
    layout->endLayout();
    return *m_layouts.emplace(row, std::move(layout)).first->second;
}

int LogView::rowHeight(int row) const {
    return std::max(1, layoutOf(row).lineCount()) * fontMetrics().lineSpacing();
}

void LogView::forgetLayouts() {
    m_layouts.clear();
}

void LogView::updateScrollRange() {
    // The last top row is the one from which the remaining rows fill the view: the end of the
    // log sits at the bottom, as in a text box. Only the rows of one screen are laid out for it.
    const int rows = rowCount();
    const int height = std::max(1, viewport()->height() - 2 * kMargin);
    int used = 0;
    int fitting = 0;
    for (int row = rows - 1; row >= 0; --row) {
        used += rowHeight(row);
        if (used > height) {
            break;
        }
        ++fitting;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, rows - std::max(1, fitting));
    bar->setPageStep(std::max(1, fitting));
}

void LogView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.setPen(pal.color(QPalette::Text));
    const auto [from, to] = std::minmax(m_anchor, m_cursor);
    QTextLayout::FormatRange selected;
    selected.format.setBackground(pal.brush(QPalette::Highlight));
    selected.format.setForeground(pal.brush(QPalette::HighlightedText));
    int y = kMargin;
    for (int row = topRow(); row < rowCount() && y < viewport()->height(); ++row) {
        QTextLayout& layout = layoutOf(row);
        QList<QTextLayout::FormatRange> selections;
        if (from != to && row >= from.row && row <= to.row) {
            selected.start = row == from.row ? from.column : 0;
            selected.length = (row == to.row ? to.column : static_cast<int>(layout.text().size()) + 1) - selected.start;
            selections.append(selected);
        }
        layout.draw(&painter, QPointF(kMargin, y), selections);
        y += rowHeight(row);
    }
}

void LogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    forgetLayouts();
    updateScrollRange();
}

void LogView::scrollContentsBy(int, int) {
    viewport()->update();
}

LogView::Place LogView::placeAt(QPoint pos) const {
    const int rows = rowCount();
    if (pos.y() < kMargin) {
        return {topRow(), 0};
    }
    int y = kMargin;
    for (int row = topRow(); row < rows; ++row) {
        const int h = rowHeight(row);
        if (pos.y() < y + h || row == rows - 1) {
            const QTextLayout& layout = layoutOf(row);
            const int lineIndex =
                std::clamp((pos.y() - y) / fontMetrics().lineSpacing(), 0, std::max(0, layout.lineCount() - 1));
            if (layout.lineCount() == 0) {
                return {row, 0};
            }
            return {row, layout.lineAt(lineIndex).xToCursor(pos.x() - kMargin)};
        }
        y += h;
        if (y > viewport()->height()) {
            return {row + 1 < rows ? row + 1 : row, 0};
        }
    }
    return {rows - 1, 0};
}

QString LogView::textBetween(Place from, Place to) const {
    QString text;
    for (int row = from.row; row <= to.row; ++row) {
        const QString line = rowText(row);
        const int start = row == from.row ? from.column : 0;
        const int end = row == to.row ? to.column : static_cast<int>(line.size());
        text += line.mid(start, end - start);
        if (row != to.row) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

QString LogView::toPlainText() const {
    return textBetween({0, 0}, {rowCount() - 1, 0});
}

QString LogView::selectedText() const {
    const auto [from, to] = std::minmax(m_anchor, m_cursor);
    return from == to ? QString() : textBetween(from, to);
}

void LogView::selectAll() {
    m_anchor = {0, 0};
    m_cursor = {rowCount() - 1, 0};
    viewport()->update();
}

void LogView::copy() const {
    if (hasSelection()) {
        QApplication::clipboard()->setText(selectedText());
    }
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_cursor = placeAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        m_anchor = m_cursor;
    }
    m_selecting = true;
    viewport()->update();
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting) {
        return;
    }
    // Beyond the top or the bottom the view follows the mouse a row at a time.
    const QPoint pos = event->position().toPoint();
    if (pos.y() < 0) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (pos.y() > viewport()->height()) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    m_cursor = placeAt(pos);
    viewport()->update();
}

void LogView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_selecting = false;
    }
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A double-click selects the row it hits.
    const Place at = placeAt(event->position().toPoint());
    m_anchor = {at.row, 0};
    m_cursor = {at.row, static_cast<int>(rowText(at.row).size())};
    viewport()->update();
}

void LogView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::SelectAll) {
        selectAll();
    } else {
        QScrollBar* bar = verticalScrollBar();
        switch (event->key()) {
        case Qt::Key_Up:
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Down:
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case Qt::Key_PageUp:
            bar->triggerAction(QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
            break;
        case Qt::Key_End:
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
    }
    event->accept();
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("复制(&C)"), this, &LogView::copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("全选(&A)"), this, &LogView::selectAll);
    menu.exec(event->globalPos());
}

} // namespace tarvik
