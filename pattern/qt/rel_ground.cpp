#include "pattern/qt/rel_ground.h"

#include "pattern/picture_size.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace pattern {

namespace {

// Designed geometry, converted from twips at 15 twips per pixel.
constexpr QPoint kDesignedPositionPx(2160 / 15, 1050 / 15);
constexpr int kLeavePixWidthPx = 975 / 15, kLeavePixHeightPx = 255 / 15;
constexpr int kLeavePixRightMarginPx = 60 / 15, kLeavePixBottomMarginPx = 75 / 15;

RelGround* instance = nullptr;

// The window lives for the whole run and goes before the application object
// does, while widgets can still be destroyed.
void DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

}  // namespace

RelGround& RelGround::Instance()
{
    if (!instance) {
        instance = new RelGround;
        qAddPostRoutine(DestroyInstance);
    }
    return *instance;
}

RelGround::RelGround() : QWidget(nullptr)
{
    setWindowTitle("Relative Ground Tracks");
    setObjectName("RelGround");
    setMinimumSize(kLeavePixWidthPx + 2 * kLeavePixRightMarginPx, kLeavePixHeightPx + 2 * kLeavePixBottomMarginPx);
    leavePix_ = new QPushButton("Exit", this);
    leavePix_->setObjectName("LeavePix");
    leavePix_->setFixedSize(kLeavePixWidthPx, kLeavePixHeightPx);
    connect(leavePix_, &QPushButton::clicked, this, &RelGround::LeavePix_Click);
}

void RelGround::Form_Load()
{
    resize(kPictureWidthPx, kPictureHeightPx);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft() + kDesignedPositionPx);

    const qreal pixelRatio = devicePixelRatioF();
    picture_ = QImage(QSize(kPictureWidthPx, kPictureHeightPx) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(pixelRatio);
    // Text in the picture has the size it would have on the window itself.
    picture_.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    picture_.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    picture_.fill(palette().color(QPalette::Base));
    canvas_ = std::make_unique<PictureCanvas>(QSizeF(kPictureWidthPx, kPictureHeightPx),
                                              palette().color(QPalette::Text), font());
    ++loadCount_;
    Scale(0, 0, 50, 40);
    update();
}

PictureCanvas& RelGround::Canvas()
{
    // Drawing on the unloaded window loads it, as any use of it does.
    if (!IsLoaded())
        Form_Load();
    return *canvas_;
}

void RelGround::Show()
{
    if (!IsLoaded())
        Form_Load();
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void RelGround::Unload() { close(); }

void RelGround::LeavePix_Click() { Unload(); }

void RelGround::closeEvent(QCloseEvent* event)
{
    canvas_.reset();
    picture_ = QImage();
    event->accept();
}

void RelGround::Scale(float x1, float y1, float x2, float y2) { Canvas().Scale(x1, y1, x2, y2); }

void RelGround::DrawWidth(int widthPx) { Canvas().DrawWidth(widthPx); }

void RelGround::CurrentX(float x) { Canvas().CurrentX(x); }

void RelGround::CurrentY(float y) { Canvas().CurrentY(y); }

void RelGround::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    PictureCanvas& canvas = Canvas();
    QPainter painter(&picture_);
    canvas.Line(painter, x1, y1, x2, y2, colour);
    update();
}

void RelGround::Print(const std::string& text)
{
    PictureCanvas& canvas = Canvas();
    QPainter painter(&picture_);
    canvas.Print(painter, QString::fromStdString(text));
    update();
}

void RelGround::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Base));
        return;
    }
    // The picture keeps its designed size; a resized window shows it scaled.
    if (size() != QSize(kPictureWidthPx, kPictureHeightPx))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), picture_);
}

void RelGround::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceLeavePix();
}

// The button keeps its corner: 60 twips from the right edge, 75 from the bottom.
void RelGround::PlaceLeavePix()
{
    leavePix_->move(width() - kLeavePixRightMarginPx - kLeavePixWidthPx,
                    height() - kLeavePixBottomMarginPx - kLeavePixHeightPx);
}

}  // namespace pattern
