// OrvoMaskWidget: one OrvoMask field as a QWidget, for an application's own windows and
// layouts. The control's events arrive as Qt signals, and at the OrvoMaskEvents the
// application sets.
//
// Supports:
// - any QLayout: minimumSizeHint is the control's least size (its layout in twips, at
//   twipsPerPixel()), sizeHint that size widened to a field of 2400 twips; the height is
//   fixed unless the application gives the widget another size policy. A part the control
//   places above or left of its surface (a check box centred on a shorter caption) is kept
//   inside the widget: the control stands that far in, and both hints count it;
// - one Qt signal per event of OrvoMaskEvents, named as the event, with its arguments.
//   By-reference arguments (KeyCode, Shift, KeyAscii, Cancel, Status, the recordset and its
//   statement, the mouse's) are references to the control's own: a slot connected directly
//   (Qt::DirectConnection, or the default for a receiver in the widget's thread) changes
//   them for the control. A queued connection cannot carry them;
// - textChanged(text) after each Change, as Qt's editors notify;
// - setEvents(): an OrvoMaskEvents of the application that hears every event after the
//   signals, with the same arguments;
// - Q_PROPERTY text, value (a QVariant: invalid for Empty, a null std::nullptr_t for Null,
//   QDateTime for dates), mask, caption and dataType (TipoDeCampo's number);
// - Qt's Tab order: Tab (Shift+Tab) from the widget before (after) it enters the field; Tab
//   (Shift+Tab) from the field goes on to the next (previous) widget of the window, once the
//   control has raised its LostFocus and ExitFocus. A click or setFocus() gives it the focus;
//   focus given to another widget of the same window takes it from the control (switching
//   windows does not, as on a form);
// - several fields in a window and several windows side by side: each widget owns a host of
//   its own whose form is a child widget filling it; popups (calendar, calculator, lists)
//   open beside the field, as windows of their own over the field's window.
// - QWidget::setEnabled: a disabled widget's control is disabled and takes no focus;
// - the field's window moving, or the field resized, reaches the model as the form moving
//   (CoreHost::FormMoved), as the host's own form does;
// Does not: put several fields on one form (each field is alone on its host's form, so its
// ParentControls lists itself only: an option of a control array knows its index, but
// choosing it does not clear the other widgets of its array, which the application does);
// carry reference arguments through queued connections.
// A QApplication must exist before it, as for every QWidget. From a slot of its own signals
// delete it with deleteLater(): Qt is still delivering the key or click to its widgets.
#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "orvo/form_host.h"
#include "orvo/orvo_mask.h"
#include "orvo/orvo_mask_events.h"
#include "orvo/qt_host_options.h"

namespace orvo {

class QtHost;
class ControlSite;

class OrvoMaskWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
  Q_PROPERTY(QVariant value READ value WRITE setValue)
  Q_PROPERTY(QString mask READ mask WRITE setMask)
  Q_PROPERTY(QString caption READ caption WRITE setCaption)
  Q_PROPERTY(int dataType READ dataType WRITE setDataType)

 public:
  // `name` is the control's name on its form, `index` its place in a control array (an
  // option reads it as the value it stands for). The options default to the real clock.
  explicit OrvoMaskWidget(QWidget* parent = nullptr, const QString& name = "OrvoMask1",
                          QtHostOptions options = ApplicationOptions(),
                          std::optional<int16_t> index = std::nullopt);
  ~OrvoMaskWidget() override;
  static QtHostOptions ApplicationOptions();
  // Twips per pixel the fields convert with: 1440 over the logical dots per inch of the
  // screen their windows stand on (15 at 96, 12 at 120). An application placing fields by
  // twips, as a form file gives them, converts with it.
  static float twipsPerPixel();

  // Every property and method of the field; set through these, the size hints follow once
  // updateSizeHints() is called (the Q_PROPERTY setters call it themselves).
  OrvoMask& control() { return *control_; }
  // The host behind the widget: its form holds this one field. Tools and tests drive the
  // field through it as a user would (keys, typing, focus).
  FormHost& host();
  void setEvents(OrvoMaskEvents* events) { appEvents_ = events; }
  void updateSizeHints();

  QString text() const;
  void setText(const QString& text);
  QVariant value();
  void setValue(const QVariant& value);
  QString mask() const;
  void setMask(const QString& mask);
  QString caption() const;
  void setCaption(const QString& caption);
  int dataType() const;
  void setDataType(int kind);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void Click();
  void DblClick();
  void KeyDown(int16_t& KeyCode, int16_t& Shift);
  void KeyPress(int16_t& KeyAscii);
  void KeyUp(int16_t& KeyCode, int16_t& Shift);
  void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y);
  void Change();
  void ButtonClick(bool& Cancel);
  void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y);
  void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y);
  void DropDown(bool& Status);
  void SetFilter();
  void OpenRecordSet(orvo::RecordsetRef& vgRecordSet, std::string& vgSQL);
  void textChanged(const QString& text);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class EventRelay;
  friend class EventRelay;

  bool LeaveByTab(bool backwards);
  void FocusLeftForAnotherWidget(QWidget* now);
  void WatchWindow();
  QRect FormPlace() const;
  void FitControl();
  void KeepPartsInside();

  std::unique_ptr<QtHost> host_;
  ControlSite* site_ = nullptr;
  std::unique_ptr<EventRelay> relay_;
  std::unique_ptr<OrvoMask> control_;
  OrvoMaskEvents* appEvents_ = nullptr;
  QPointer<QWidget> watchedWindow_;
  QSize least_;
  QPoint inset_;  // where the form stands in the widget: past parts placed beyond its corner
  bool probing_ = false;
};

}  // namespace orvo
