#pragma once
// The colour chooser shared by the status masters. The caller gives it a callback instead of
// a target number; OK and Apply hand the chosen red, green and blue to it and close, Cancel
// closes without it. Modal and kept above other windows while open.
//
//     auto* p = new Colour_Picker(prompter(), this, [this](int r, int g, int b) { ... });
//     p->show();
#include "shell/Prompter.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace tarvic {

using ColourCallback = std::function<void(int red, int green, int blue)>;

// The palette picture: clicking or dragging with the left button reads the pixel under the
// pointer.
class ColourPalette : public QWidget {
    Q_OBJECT
public:
    explicit ColourPalette(QWidget* parent = nullptr);
    const QImage& image() const { return image_; }
    QSize sizeHint() const override { return image_.size(); }

signals:
    void picked(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void pickAt(const QPoint& pos);
    QImage image_;
};

class Colour_Picker : public QDialog {
    Q_OBJECT
public:
    Colour_Picker(Prompter& prompter, QWidget* parent, ColourCallback chosen);

    QColor colour() const;
    // Sets the sliders, fields and swatch to a colour (as a palette click does).
    void setColour(const QColor& colour);
    bool simplified() const { return simplified_; }

    ColourPalette* pic_Palette = nullptr;
    QSlider* R_Slider = nullptr;
    QSlider* G_Slider = nullptr;
    QSlider* B_Slider = nullptr;
    QLineEdit* R_Value = nullptr;
    QLineEdit* G_Value = nullptr;
    QLineEdit* B_Value = nullptr;
    QLabel* pic_Red = nullptr;
    QLabel* pic_Green = nullptr;
    QLabel* pic_Blue = nullptr;
    QLabel* pic_Selected = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
    QPushButton* Cmd_Apply = nullptr;
    QPushButton* Cmd_View = nullptr;

    void done(int result) override;

private:
    void sliderMoved(QSlider* slider, QLineEdit* field);
    void fieldEdited(QSlider* slider, QLineEdit* field, const QString& title);
    void showSelected();
    void toggleView();
    void choose();

    Prompter& prompter_;
    ColourCallback chosen_;
    bool simplified_ = false;
};

}  // namespace tarvic
