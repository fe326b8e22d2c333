// A side view of a pile drawn in code, with its dimensions as hot spots: a click on a dimension
// focuses the edit that holds it. A hot spot is live while its edit is enabled (update() after
// changing that).
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class TPilePicture : public QWidget {
  Q_OBJECT

 public:
  // withBore draws a pipe with its bore and lower-end section (the circular pile); without it a
  // solid pile.
  explicit TPilePicture(bool withBore, QWidget* parent = nullptr);

  // The dimension named text (e.g. "OD", "TL") focuses target when clicked.
  void setTarget(const QString& text, QWidget* target);
  // Where the dimension's hot spot lies; empty for an unknown name.
  QRect hotSpot(const QString& text) const;

  QSize sizeHint() const override { return {230, 320}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct HotSpot {
    QString text;
    QRect rect;
    QWidget* target = nullptr;
  };
  bool live(const HotSpot& spot) const;

  bool m_withBore;
  std::vector<HotSpot> m_spots;
};
