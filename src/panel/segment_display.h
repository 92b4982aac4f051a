#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QVector>

namespace panel {

// A label painted like one field of the meter's liquid-crystal display: seven-segment digits
// with a slight italic slant, dark segments on a transparent background (the parent paints the
// LCD glass). text()/setText() behave as for any QLabel, so the caption stays readable.
//
// Each character takes one digit cell: 0-9, '-', letters with a seven-segment form (others are
// drawn in a bold font inside the cell); every two spaces make one blank cell (the meter's texts
// write a blank digit as two spaces; a single space only spaces out "- - - . -"). '.', ',' and
// ':' are the decimal
// point and colon drawn between cells; '\'' and U+00B0 draw the small degree ring. Control and
// other non-printing characters are ignored.
//
// The digits fill the widget's height (less a small margin) and shrink when the text would not
// fit the width. The size hint comes from digitHeight(), or from the font's pixel size while
// that is 0. Text is right-aligned by default; the horizontal part of alignment() places it,
// the vertical part matters when the digits had to shrink. Lit segments use the palette's
// WindowText colour.
class SegmentDisplay : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool ghostSegments READ ghostSegments WRITE setGhostSegments)
    Q_PROPERTY(int digitHeight READ digitHeight WRITE setDigitHeight)

  public:
    explicit SegmentDisplay(QWidget* parent = nullptr);
    explicit SegmentDisplay(const QString& text, QWidget* parent = nullptr);

    // Faint unlit segments in every digit cell, as on a real LCD seen at an angle. Off by default.
    bool ghostSegments() const { return ghost_; }
    void setGhostSegments(bool on);

    // Preferred height of the digits in pixels; 0 (the default) takes the font's pixel size.
    int digitHeight() const { return digitHeight_; }
    void setDigitHeight(int px);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // One slot of the display: a full digit cell, or only a gap carrying a mark.
    struct Cell {
        int segments = 0;
        QString glyph;      // non-empty: no segment form, drawn with the font
        bool digit = true;  // false: a gap-only slot ('.' or ':' with no cell before it)
        bool point = false;
        bool colon = false;
        bool degree = false;
    };

    void parseText() const;
    double naturalWidth(double digitHeight) const;
    QSize hintFor(int digitHeight) const;
    int preferredDigitHeight() const;
    void drawDigits(QPainter& painter, const QRectF& area) const;

    bool ghost_ = false;
    int digitHeight_ = 0;

    // Parsed text, reused while text() is unchanged.
    mutable QString parsedText_;
    mutable bool parsed_ = false;
    mutable QVector<Cell> cells_;

    // The last rendering, reused while nothing it depends on changed (the panel repaints the
    // display twice a second, mostly with the same text).
    struct CacheKey {
        QString text;
        QSize size;
        qreal dpr = 0;
        QRgb ink = 0;
        bool ghost = false;
        int alignment = 0;
        QString font;
        bool operator==(const CacheKey&) const = default;
    };
    mutable QPixmap cache_;
    mutable CacheKey cacheKey_;
};

}  // namespace panel
