// Noncircular Pile Properties dialog.
#include "gui/frm_ncsection.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/data_edit.h"
#include "gui/pile_picture.h"

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
  grid->addWidget(closeButton(), 5, 1, Qt::AlignRight);
  layout->addLayout(grid);
  auto* examples = new QVBoxLayout;
  for (const char* text : {"Examples:", "P = 2(L1+L2)", "A = L1x L2",
                           "A = 2(L1xW1) + (L2 - 2xW1) x W2", "For very soft clays, use:"}) {
    examples->addWidget(new QLabel(QString::fromLatin1(text), this));
  }
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
