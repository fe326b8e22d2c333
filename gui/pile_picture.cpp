// Pile picture with hot spots.
#include "gui/pile_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace {

// Drawing frame (pixels): the pile head, the ground line and the tip.
constexpr int kLeft = 90;
constexpr int kRight = 140;
constexpr int kHead = 40;
constexpr int kGround = 90;
constexpr int kZeroFriction = 150;
constexpr int kEndSection = 240;
constexpr int kTip = 290;
constexpr int kBore = 10;  // wall thickness drawn

// A vertical dimension line with arrow ticks between y1 and y2 at x.
void verticalDimension(QPainter& painter, int x, int y1, int y2) {
  painter.drawLine(x, y1, x, y2);
  painter.drawLine(x - 4, y1, x + 4, y1);
  painter.drawLine(x - 4, y2, x + 4, y2);
}

void horizontalDimension(QPainter& painter, int y, int x1, int x2) {
  painter.drawLine(x1, y, x2, y);
  painter.drawLine(x1, y - 4, x1, y + 4);
  painter.drawLine(x2, y - 4, x2, y + 4);
}

}  // namespace

TPilePicture::TPilePicture(bool withBore, QWidget* parent) : QWidget(parent), m_withBore(withBore) {
  setMinimumSize(sizeHint());
  // Labels stand beside their dimension lines.
  m_spots.push_back({QStringLiteral("PSL"), QRect(20, (kHead + kGround) / 2 - 10, 40, 20)});
  m_spots.push_back({QStringLiteral("ZFL"), QRect(20, (kGround + kZeroFriction) / 2 - 10, 40, 20)});
  m_spots.push_back({QStringLiteral("TL"), QRect(180, (kHead + kTip) / 2 - 10, 40, 20)});
  if (m_withBore) {
    m_spots.push_back({QStringLiteral("OD"), QRect(kLeft + 5, 4, kRight - kLeft - 10, 18)});
    m_spots.push_back({QStringLiteral("ID"), QRect(kLeft + 5, kHead + 4, kRight - kLeft - 10, 18)});
    m_spots.push_back({QStringLiteral("EID"), QRect(kLeft + 5, kTip + 6, kRight - kLeft - 10, 18)});
    m_spots.push_back({QStringLiteral("ESL"), QRect(180, (kEndSection + kTip) / 2 - 10, 40, 20)});
  }
}

void TPilePicture::setTarget(const QString& text, QWidget* target) {
  for (HotSpot& spot : m_spots) {
    if (spot.text == text) spot.target = target;
  }
  update();
}

QRect TPilePicture::hotSpot(const QString& text) const {
  for (const HotSpot& spot : m_spots) {
    if (spot.text == text) return spot.rect;
  }
  return {};
}

bool TPilePicture::live(const HotSpot& spot) const {
  return spot.target != nullptr && spot.target->isEnabled();
}

void TPilePicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect(), Qt::white);
  // Ground surface with soil below.
  painter.setPen(QPen(Qt::darkGreen, 2));
  painter.drawLine(10, kGround, width() - 10, kGround);
  painter.fillRect(QRect(10, kGround + 1, width() - 20, kTip + 20 - kGround),
                   QColor(240, 230, 200));
  // The pile.
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(170, 170, 170));
  painter.drawRect(QRect(QPoint(kLeft, kHead), QPoint(kRight, kTip)));
  if (m_withBore) {
    // The bore, narrower in the lower-end section.
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(QRect(QPoint(kLeft + kBore, kHead), QPoint(kRight - kBore, kEndSection)));
    painter.drawRect(
        QRect(QPoint(kLeft + 2 * kBore, kEndSection), QPoint(kRight - 2 * kBore, kTip)));
    painter.setPen(QPen(Qt::black, 1));
    horizontalDimension(painter, 26, kLeft, kRight);
    horizontalDimension(painter, kHead + 26, kLeft + kBore, kRight - kBore);
    horizontalDimension(painter, kTip - 12, kLeft + 2 * kBore, kRight - 2 * kBore);
    verticalDimension(painter, 170, kEndSection, kTip);
  }
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  verticalDimension(painter, 65, kHead, kGround);
  verticalDimension(painter, 65, kGround, kZeroFriction);
  verticalDimension(painter, 170, kHead, kTip);
  // The dimension names: the live ones as links, the others greyed.
  QFont font = painter.font();
  font.setUnderline(true);
  painter.setFont(font);
  for (const HotSpot& spot : m_spots) {
    painter.setPen(live(spot) ? palette().color(QPalette::Active, QPalette::Link)
                              : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(spot.rect, Qt::AlignCenter, spot.text);
  }
}

void TPilePicture::mousePressEvent(QMouseEvent* event) {
  for (const HotSpot& spot : m_spots) {
    if (spot.rect.contains(event->position().toPoint()) && live(spot)) {
      spot.target->setFocus(Qt::MouseFocusReason);
      event->accept();
      return;
    }
  }
  QWidget::mousePressEvent(event);
}
