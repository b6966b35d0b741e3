#pragma once
// A label that shows its caption, or a file path, shortened with "..." to
// its width (core/text_shortening.h), each line of a caption of several
// lines on its own; with AutoHint its tool tip is always the whole caption. The shown text follows every change of caption, kind,
// size and font.

#include <QLabel>

class TEllipsisLabel : public QLabel {
    Q_OBJECT
public:
    explicit TEllipsisLabel(QWidget* parent = nullptr);

    // The whole text; the label shows as much of it as fits.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Shorten as a file path: folders first, never the file name.
    bool IsPath() const { return isPath_; }
    void SetIsPath(bool on);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool on);

    // The whole caption is what the label would like; it can do with far less.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Refit();

    QString caption_;
    bool isPath_ = false;
    bool autoHint_ = true;
};
