#pragma once
// The model's summary in a main window: lines of a caption and a value,
// each opening the dialog that edits it when either label is clicked, and
// showing its hint meanwhile. A click on the panel itself, outside the
// labels, may open a dialog too.

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QGridLayout;
class QLabel;

class TSummaryPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSummaryPanel(QWidget* parent = nullptr);

    // Adds a line: the caption's label and the value's label (named `name`),
    // or with `captioned` false only the value's label, across both columns.
    // `caption` names the line for Label and CaptionLabel also then.
    QLabel& AddLine(const QString& caption, const char* name, const QString& hint, std::function<void()> open,
                    bool captioned = true);
    // After the last line: the lines stay at the top.
    void EndLines();
    void SetOnPanelClick(std::function<void()> open) { onPanelClick_ = std::move(open); }

    // The value's label of a line; throws std::invalid_argument for a caption
    // that names none.
    QLabel& Label(const QString& caption) const;
    // The caption's own label (null for a line without one).
    QLabel* CaptionLabel(const QString& caption) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TLine {
        QString caption;
        QLabel* captionLabel;
        QLabel* value;
        std::function<void()> open;
    };
    const TLine& Line(const QString& caption) const;

    QGridLayout* grid_;
    std::vector<TLine> lines_;
    std::function<void()> onPanelClick_;
};
