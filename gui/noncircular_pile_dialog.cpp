// Noncircular Pile Properties dialog.
#include "gui/noncircular_pile_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/data_edit.h"
#include "gui/pile_picture.h"

namespace {

// A small cross-section sketch beside the example formulas.
class TSectionSketch : public QWidget {
 public:
  enum Shape { Box, HSection, PluggedH };  // PluggedH: the H with soil between its flanges
  TSectionSketch(Shape shape, QWidget* parent) : QWidget(parent), m_shape(shape) {
    setFixedSize(120, 90);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(Qt::black);
    const QRect outline(30, 10, 60, 60);  // L1 across, L2 down
    if (m_shape == Box) {
      painter.setBrush(QColor(170, 170, 170));
      painter.drawRect(outline);
    } else {
      if (m_shape == PluggedH) painter.fillRect(outline, QColor(240, 230, 200));
      painter.setBrush(QColor(170, 170, 170));
      painter.drawRect(QRect(outline.left(), outline.top(), outline.width(), 8));  // W1
      painter.drawRect(QRect(outline.left(), outline.bottom() - 8, outline.width(), 8));
      painter.drawRect(QRect(outline.center().x() - 3, outline.top() + 8, 6, 44));  // W2
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
      painter.drawRect(outline);
      painter.setPen(Qt::black);
      painter.drawText(QRect(outline.right() + 4, outline.top() - 4, 24, 16), Qt::AlignLeft,
                       QStringLiteral("W1"));
      painter.drawText(QRect(outline.center().x() + 5, outline.center().y() - 8, 24, 16),
                       Qt::AlignLeft, QStringLiteral("W2"));
    }
    painter.drawText(QRect(outline.left(), outline.bottom() + 2, outline.width(), 16),
                     Qt::AlignCenter, QStringLiteral("L1"));
    painter.drawText(QRect(4, outline.top(), 24, outline.height()), Qt::AlignCenter,
                     QStringLiteral("L2"));
  }

 private:
  Shape m_shape;
};

}  // namespace

TfrmNCsection::TfrmNCsection(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Noncircular Pile Properties"));
  auto* layout = new QHBoxLayout(this);
  auto* grid = new QGridLayout;
  dePerimeter =
      addEdit(grid, 0, QStringLiteral("&Perimeter for Noncircular Section "), QStringLiteral("L1"));
  deTipArea =
      addEdit(grid, 1, QStringLiteral("Tip &Area for Noncircular Section "), QStringLiteral("L^2"));
  deLength = addEdit(grid, 2, QStringLiteral("&Total Length, TL"), QStringLiteral("L2"));
  deZeroFriction = addEdit(grid, 3, QStringLiteral("Zero-&Friction from Length Ground, ZFL"),
                           QStringLiteral("L2"));
  deStickup = addEdit(grid, 4, QStringLiteral("&Pile Stickup Length, PSL"), QStringLiteral("L2"));
  for (TDataEdit* edit : {dePerimeter, deTipArea, deLength, deZeroFriction, deStickup}) {
    edit->setMinVal(0.0);
  }
  setFieldRange(dePerimeter, vorne::FieldId::NoncircularPerimeter);
  setFieldRange(deTipArea, vorne::FieldId::NoncircularTipArea);
  setFieldRange(deLength, vorne::FieldId::PileLength);
  setFieldRange(deZeroFriction, vorne::FieldId::ZeroFrictionLength);
  setFieldRange(deStickup, vorne::FieldId::StickupLength);
  grid->addWidget(closeButton(), 5, 1, Qt::AlignRight);
  layout->addLayout(grid);
  auto* examples = new QVBoxLayout;
  const auto text = [this, examples](const char* line) {
    examples->addWidget(new QLabel(QString::fromLatin1(line), this));
  };
  text("Examples:");
  examples->addWidget(new TSectionSketch(TSectionSketch::Box, this));
  text("P = 2(L1+L2)");
  text("A = L1x L2");
  examples->addWidget(new TSectionSketch(TSectionSketch::HSection, this));
  text("A = 2(L1xW1) + (L2 - 2xW1) x W2");
  text("For very soft clays, use:");
  examples->addWidget(new TSectionSketch(TSectionSketch::PluggedH, this));
  examples->addStretch();
  layout->addLayout(examples);
  imgPile = new TPilePicture(false, this);
  imgPile->setTarget(QStringLiteral("TL"), deLength);
  imgPile->setTarget(QStringLiteral("ZFL"), deZeroFriction);
  imgPile->setTarget(QStringLiteral("PSL"), deStickup);
  layout->addWidget(imgPile, 0, Qt::AlignTop);
}

void TfrmNCsection::loadValues() {
  const vorne::TProgramData& p = project();
  dePerimeter->setNumber(p.NoncircularPerimeter);
  deTipArea->setNumber(p.NoncircularTipArea);
  deLength->setNumber(p.PileLength);
  deZeroFriction->setNumber(p.ZeroFrictionLength);
  deStickup->setNumber(p.StickupLength);
}

void TfrmNCsection::storeValues() {
  vorne::TProgramData& p = project();
  storeNumber(dePerimeter, p.NoncircularPerimeter);
  storeNumber(deTipArea, p.NoncircularTipArea);
  storeNumber(deLength, p.PileLength);
  storeNumber(deZeroFriction, p.ZeroFrictionLength);
  storeNumber(deStickup, p.StickupLength);
}
