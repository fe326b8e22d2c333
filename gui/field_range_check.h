// The range check of a form's numeric fields (app/field_ranges): a value the user typed outside
// its field's range is refused when the user leaves the field or presses Enter, with a message
// naming the field and the range, and the field keeps the focus and the text typed. A value the
// form loaded is not refused here (the check before a run lists it); the field's own check (an
// expression that does not evaluate, an integer, its bounds) comes first.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <set>

#include "app/field_ranges.h"

class QWidget;
class TDataEdit;

class TFieldRangeCheck : public QObject {
  Q_OBJECT

 public:
  using RangeOf = std::function<vorne::FieldRange()>;
  using UnitsOf = std::function<int()>;

  // Checks fields of form (the dialog), in the unit system unitsOf gives.
  TFieldRangeCheck(QWidget* form, UnitsOf unitsOf);

  // Checks edit against the range of id, or against a range computed when it is checked (a
  // bound that depends on another field).
  void watch(TDataEdit* edit, vorne::FieldId id);
  void watch(TDataEdit* edit, RangeOf rangeOf);

  // Whether edit may be committed: a value typed since the form loaded lies in its range. On a
  // refusal shows the message and gives the focus back to the edit.
  bool accept(TDataEdit* edit);
  // The form loaded its values: nothing is typed.
  void loaded() { m_typed.clear(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The refusal of edit's value, or an empty text (also when the text does not evaluate, which
  // the field's own check reports).
  QString refusal(TDataEdit* edit) const;

  QWidget* m_form;
  UnitsOf m_unitsOf;
  std::map<TDataEdit*, RangeOf> m_ranges;
  std::set<TDataEdit*> m_typed;
  bool m_showing = false;
};
