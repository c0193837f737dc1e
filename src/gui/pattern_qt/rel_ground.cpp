#include "pattern_qt/rel_ground.h"

#include "pattern/picture_size.h"
#include "platform/twips.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace pattern {

namespace {

// Designed geometry in twips: the window's place on the screen and the
// button's place in the client area, in its bottom-right corner.
constexpr int kDesignedLeftTwips = 2160, kDesignedTopTwips = 1050;
constexpr int kLeavePixLeftTwips = 10200, kLeavePixTopTwips = 3720;
constexpr int kLeavePixWidthTwips = 975, kLeavePixHeightTwips = 255;

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
    leavePix_ = new QPushButton("Exit", this);
    leavePix_->setObjectName("LeavePix");
    connect(leavePix_, &QPushButton::clicked, this, &RelGround::LeavePix_Click);
}

void RelGround::Form_Load()
{
    // Sized from twips at the screen's logical dpi, as the design window is,
    // so the window keeps its proportions to the text drawn on it.
    const platform::Dpi dpi = platform::ScreenDpi();
    designedClient_ = platform::TwipsToPixels(0, 0, kPictureWidthTwips, kPictureHeightTwips, dpi).size();
    const QRect button = platform::TwipsToPixels(kLeavePixLeftTwips, kLeavePixTopTwips, kLeavePixWidthTwips,
                                                 kLeavePixHeightTwips, dpi);
    leavePix_->setFixedSize(button.size());
    leavePixMargins_ = QSize(designedClient_.width() - button.x() - button.width(),
                             designedClient_.height() - button.y() - button.height());
    setMinimumSize(button.size() + 2 * leavePixMargins_);
    PlaceOnScreen();

    const qreal pixelRatio = devicePixelRatioF();
    picture_ = QImage(designedClient_ * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(pixelRatio);
    // Text in the picture has the size it would have on the window itself.
    picture_.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    picture_.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    picture_.fill(palette().color(QPalette::Base));
    canvas_ = std::make_unique<PictureCanvas>(QSizeF(designedClient_), palette().color(QPalette::Text), font());
    ++loadCount_;
    Scale(0, 0, 50, 40);
    update();
}

// At its designed place and size when the whole window fits the screen's
// available area, else moved into it and, if need be, shrunk with its picture:
// at a high scaling on a small screen the Exit button must stay in reach.
void RelGround::PlaceOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(QPoint(0, 0), designedClient_);
    const QPoint designedAt =
        available.topLeft() + platform::TwipsToPixels(kDesignedLeftTwips, kDesignedTopTwips, platform::ScreenDpi());
    const platform::WindowPlacement place =
        platform::PlaceOnScreen(designedAt, designedClient_, platform::FrameMarginsOf(*this), available, minimumSize());
    resize(place.clientSize);
    move(place.frameTopLeft);
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
    if (size() != designedClient_)
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
    leavePix_->move(width() - leavePixMargins_.width() - leavePix_->width(),
                    height() - leavePixMargins_.height() - leavePix_->height());
}

}  // namespace pattern
