// The small modal dialogs of the plot window: graph title, legend names, active curves and the
// size of a saved picture. Each works on copies that the plot window writes back only after OK.
#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <vector>

#include "plot/plot_geometry.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class TDataEdit;

// "Graph Caption": the free title of a graph and whether it stands at the top or the bottom.
class TfrmGraphCaption : public QDialog {
  Q_OBJECT

 public:
  TfrmGraphCaption(const QString& title, bool onTop, QWidget* parent = nullptr);

  QString title() const;
  bool onTop() const;

  QLineEdit* edtCaption = nullptr;
  QRadioButton* rbTop = nullptr;
  QRadioButton* rbBottom = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;
};

// "Legend": renames curves. The list holds one name per curve; the edit below renames the
// selected one, refusing an empty name.
class TfrmLineNames : public QDialog {
  Q_OBJECT

 public:
  TfrmLineNames(const QStringList& names, QWidget* parent = nullptr);

  // The names as edited; the plot window applies them only after OK.
  QStringList names() const { return m_names; }

  QListWidget* lbLines = nullptr;
  QLineEdit* edLine = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showEntry(int row);
  void commitEdit();

  QStringList m_names;
  int m_editedRow = -1;
};

// "Active Curves": which curves have a legend entry and a menu item. Entries read the flag
// " yes : " or " no  : ", three blanks and the curve's name.
class TfrmActiveLines : public QDialog {
  Q_OBJECT

 public:
  static const QString kYes;
  static const QString kNo;

  TfrmActiveLines(const QStringList& names,
                  const std::vector<bool>& listed,
                  QWidget* parent = nullptr);

  std::vector<bool> listed() const { return m_listed; }

  QListWidget* lbLines = nullptr;
  QPushButton* toggleButton = nullptr;
  QPushButton* allButton = nullptr;
  QPushButton* noneButton = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

 private:
  void flip(int row);
  void flipSelected();
  void setAll(bool listed);
  void rewrite(int row);

  QStringList m_names;
  std::vector<bool> m_listed;
};

// "Save Attributes": the size of a saved picture in inches and pixels per inch, and its colours.
// On OK the picture is allocated; when that fails the dialog ends with kOutOfMemory.
class TdlgFormat : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kOutOfMemory = 2;
  // Colour choices, in the order of the group.
  enum Colors { BlackAndWhite = 0, Colors16 = 1, Colors256 = 2, HighColor = 3, TrueColor = 4 };

  explicit TdlgFormat(QWidget* parent = nullptr);

  void setValues(double heightInches, double widthInches, int pixelsPerInch, int colors);
  double heightInches() const { return m_height; }
  double widthInches() const { return m_width; }
  int pixelsPerInch() const { return m_ppi; }
  int colors() const;
  // The picture sized on OK (white, 32 bits per pixel).
  QImage bitmap() const { return m_bitmap; }

  TDataEdit* deHeight = nullptr;
  TDataEdit* deWidth = nullptr;
  TDataEdit* dePPI = nullptr;
  std::vector<QRadioButton*> colorButtons;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

 private:
  void okClicked();

  double m_height = vorne::kDefaultPicture.heightInches;
  double m_width = vorne::kDefaultPicture.widthInches;
  int m_ppi = vorne::kDefaultPicture.pixelsPerInch;
  QImage m_bitmap;
};
