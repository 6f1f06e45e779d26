// The Qt host: the model over the Qt platform, and screenshots of its windows.
#include "host/qt/qt_host.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "host/core/core_popup_form.h"
#include "host/qt/qt_views.h"
#include "orvo/qt_host.h"

namespace orvo {

QtHost::QtHost(QtHostOptions options) : QtHost(nullptr, std::move(options)) {}

QtHost::QtHost(QWidget* formParent, QtHostOptions options)
    : QtPlatformHolder(formParent), CoreHost(platform) {
  platform.SetHost(this);
  if (!options.simulatedClock) CoreServicesRef().UseRealClock();
  CoreServicesRef().ForgetCursor();
  if (options.systemLocale) SetLocale(platform.SystemLocale());
  platform.SetInputErrorSink(std::move(options.onInputError));
}

QtHost::~QtHost() {
  platform.Close();
}

bool QtHost::SaveScreenshot(const std::string& path) {
  QCoreApplication::processEvents();
  QWidget* form = FormWidget();
  QRect area = form->geometry();
  std::vector<QWidget*> popups;
  for (CoreWindow* w : Windows())
    if (w->Popup() && w->Shown())
      if (QWidget* top = QtView::WidgetOf(w->Popup()->Node())) {
        popups.push_back(top);
        area = area.united(top->geometry());
      }
  QImage image(area.size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPixmap(form->geometry().topLeft() - area.topLeft(), form->grab());
  for (QWidget* p : popups) painter.drawPixmap(p->geometry().topLeft() - area.topLeft(), p->grab());
  painter.end();
  return image.save(QString::fromStdString(path), "PNG");
}

std::unique_ptr<FormHost> CreateQtHost(QtHostOptions options) {
  return std::make_unique<QtHost>(options);
}

bool IsQtHost(const FormHost& host) {
  return dynamic_cast<const QtHost*>(&host) != nullptr;
}

QWidget* QtFormWidget(FormHost& host) {
  auto* qt = dynamic_cast<QtHost*>(&host);
  return qt ? qt->FormWidget() : nullptr;
}

bool SaveQtScreenshot(FormHost& host, const std::string& path) {
  auto* qt = dynamic_cast<QtHost*>(&host);
  return qt && qt->SaveScreenshot(path);
}

}  // namespace orvo
