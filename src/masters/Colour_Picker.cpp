#include "Colour_Picker.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

namespace tarvic {

namespace {
constexpr int kPaletteWidth = 300;
constexpr int kPaletteHeight = 200;

// Hues left to right; white at the top, the pure hue in the middle, black at the bottom.
QImage paletteImage() {
    QImage img(kPaletteWidth, kPaletteHeight, QImage::Format_RGB32);
    const int half = kPaletteHeight / 2;
    for (int x = 0; x < kPaletteWidth; ++x) {
        const QColor hue = QColor::fromHsv(x * 359 / (kPaletteWidth - 1), 255, 255);
        for (int y = 0; y < kPaletteHeight; ++y) {
            int r, g, b;
            if (y < half) {  // white to the hue
                const double t = double(y) / half;
                r = int(255 + (hue.red() - 255) * t + 0.5);
                g = int(255 + (hue.green() - 255) * t + 0.5);
                b = int(255 + (hue.blue() - 255) * t + 0.5);
            } else {  // the hue to black
                const double t = double(y - half) / (kPaletteHeight - 1 - half);
                r = int(hue.red() * (1 - t) + 0.5);
                g = int(hue.green() * (1 - t) + 0.5);
                b = int(hue.blue() * (1 - t) + 0.5);
            }
            img.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return img;
}

QLabel* swatch(QWidget* parent, const QString& name, const QColor& colour, QSize size) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(size);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Box);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour);
    l->setPalette(p);
    return l;
}
}  // namespace

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent), image_(paletteImage()) {
    setObjectName(QStringLiteral("pic_Palette"));
    setFixedSize(image_.size());
    setCursor(Qt::CrossCursor);
}

void ColourPalette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void ColourPalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pickAt(event->position().toPoint());
}

void ColourPalette::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        pickAt(event->position().toPoint());
}

void ColourPalette::pickAt(const QPoint& pos) {
    // The pixel under the pointer, read from the picture itself rather than the screen, so
    // that a window passing over the palette cannot change the colour picked.
    if (!image_.rect().contains(pos))
        return;
    emit picked(image_.pixelColor(pos));
}

Colour_Picker::Colour_Picker(Prompter& prompter, QWidget* parent, ColourCallback chosen)
    : QDialog(parent), prompter_(prompter), chosen_(std::move(chosen)) {
    setObjectName(QStringLiteral("Colour_Picker"));
    setWindowTitle(QStringLiteral("Colour Picker"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    // Top-most while open; given up in done().
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    pic_Palette = new ColourPalette(this);

    auto* sliders = new QGridLayout;
    auto makeChannel = [&](int column, const QString& letter, QSlider*& slider, QLineEdit*& field,
                           QLabel*& pure, const QColor& pureColour, const QString& title) {
        slider = new QSlider(Qt::Vertical, this);
        slider->setObjectName(letter + QStringLiteral("_Slider"));
        slider->setRange(0, 255);
        slider->setValue(255);
        slider->setMinimumHeight(140);
        field = new QLineEdit(QStringLiteral("255"), this);
        field->setObjectName(letter + QStringLiteral("_Value"));
        field->setMaxLength(3);
        field->setFixedWidth(44);
        field->setAlignment(Qt::AlignRight);
        // Digits and Backspace only; the range is checked with its own message.
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), field));
        pure = swatch(this, QStringLiteral("pic_") + title.mid(10), pureColour, QSize(44, 18));
        sliders->addWidget(pure, 0, column, Qt::AlignHCenter);
        sliders->addWidget(slider, 1, column, Qt::AlignHCenter);
        sliders->addWidget(field, 2, column, Qt::AlignHCenter);
        QSlider* s = slider;
        QLineEdit* f = field;
        connect(s, &QSlider::valueChanged, this, [this, s, f] { sliderMoved(s, f); });
        connect(f, &QLineEdit::textEdited, this, [this, s, f, title] { fieldEdited(s, f, title); });
    };
    makeChannel(0, QStringLiteral("R"), R_Slider, R_Value, pic_Red, QColor(255, 0, 0), QStringLiteral("Can't Set Red"));
    makeChannel(1, QStringLiteral("G"), G_Slider, G_Value, pic_Green, QColor(0, 255, 0), QStringLiteral("Can't Set Green"));
    makeChannel(2, QStringLiteral("B"), B_Slider, B_Value, pic_Blue, QColor(0, 0, 255), QStringLiteral("Can't Set Blue"));

    pic_Selected = swatch(this, QStringLiteral("pic_Selected"), QColor(255, 255, 255), QSize(140, 40));

    Cmd_OK = new QPushButton(QStringLiteral("OK"), this);
    Cmd_OK->setObjectName(QStringLiteral("Cmd_OK"));
    Cmd_OK->setDefault(true);
    Cmd_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cmd_Cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
    Cmd_Apply = new QPushButton(QStringLiteral("Apply"), this);
    Cmd_Apply->setObjectName(QStringLiteral("Cmd_Apply"));
    Cmd_View = new QPushButton(QStringLiteral("<"), this);
    Cmd_View->setObjectName(QStringLiteral("Cmd_View"));
    Cmd_View->setFixedWidth(30);
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { choose(); });
    connect(Cmd_Apply, &QPushButton::clicked, this, [this] { choose(); });
    connect(Cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(Cmd_View, &QPushButton::clicked, this, [this] { toggleView(); });
    connect(pic_Palette, &ColourPalette::picked, this, [this](const QColor& c) { setColour(c); });

    auto* right = new QVBoxLayout;
    right->addLayout(sliders);
    right->addWidget(pic_Selected, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_OK);
    buttons->addWidget(Cmd_Apply);
    buttons->addWidget(Cmd_Cancel);
    buttons->addWidget(Cmd_View);

    auto* top = new QHBoxLayout;
    top->addWidget(pic_Palette, 0, Qt::AlignTop);
    top->addLayout(right);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QColor Colour_Picker::colour() const { return QColor(R_Slider->value(), G_Slider->value(), B_Slider->value()); }

void Colour_Picker::setColour(const QColor& colour) {
    R_Slider->setValue(colour.red());
    G_Slider->setValue(colour.green());
    B_Slider->setValue(colour.blue());
    // A slider already at the value emits nothing: bring the fields in line too.
    R_Value->setText(QString::number(colour.red()));
    G_Value->setText(QString::number(colour.green()));
    B_Value->setText(QString::number(colour.blue()));
    showSelected();
}

void Colour_Picker::sliderMoved(QSlider* slider, QLineEdit* field) {
    const QString text = QString::number(slider->value());
    // While the user types, an empty field stands for 0: leave it empty.
    if (!(field->text().isEmpty() && slider->value() == 0) && field->text() != text)
        field->setText(text);
    showSelected();
}

void Colour_Picker::fieldEdited(QSlider* slider, QLineEdit* field, const QString& title) {
    const int value = field->text().toInt();
    if (value > 255) {
        prompter_.information(this, QStringLiteral("Invalid value. Range must be within (0-255)."), title);
        field->setText(QString::number(slider->value()));
        field->selectAll();
        return;
    }
    slider->setValue(value);
    showSelected();
}

void Colour_Picker::showSelected() {
    QPalette p = pic_Selected->palette();
    p.setColor(QPalette::Window, colour());
    pic_Selected->setPalette(p);
}

void Colour_Picker::toggleView() {
    simplified_ = !simplified_;
    pic_Palette->setVisible(!simplified_);
    Cmd_View->setText(simplified_ ? QStringLiteral(">") : QStringLiteral("<"));
}

void Colour_Picker::choose() {
    const QColor c = colour();
    if (chosen_)
        chosen_(c.red(), c.green(), c.blue());
    accept();
}

void Colour_Picker::done(int result) {
    QDialog::done(result);
    // Closed (deleted later): no longer top-most. Changing the flag of a hidden window
    // does not show it again.
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

}  // namespace tarvic
