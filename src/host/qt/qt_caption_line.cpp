// A caption beside its field's box: how far down its text is drawn so that it reads on the
// line of the text typed in the box.
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

#include "host/core/widget_node.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

// The label and the box share a top when the caption stands beside the field; the box's text
// is then lower by the box's border and the editor's own margin. A caption above or below the
// field (its label ends before the box begins) is left as it is.
int CaptionDrop(const QtPlatform& platform, const QWidget& surface, const QRect& label,
                const QFont& captionFont) {
  const int captionBaseline = label.top() + QFontMetrics(captionFont).ascent();
  for (QObject* o : surface.children()) {
    // Visibility is the model's: Qt hides every widget of a window not yet shown.
    const WidgetNode* frame = platform.RoutedNode(o);
    auto* field = qobject_cast<QWidget*>(o);
    if (!frame || !field || frame->kind != WidgetKind::PictureBox || !frame->visible) continue;
    for (QObject* inner : field->children()) {
      const WidgetNode* box = platform.RoutedNode(inner);
      auto* editor = qobject_cast<QWidget*>(inner);
      if (!box || !editor || box->kind != WidgetKind::TextBox || !box->visible) continue;
      const int baseline = FirstLineBaseline(editor);
      const int top = editor->mapTo(&surface, QPoint(0, 0)).y();
      if (baseline < 0 || top < label.top() || top >= label.top() + label.height()) continue;
      return std::max(0, top + baseline - captionBaseline);
    }
  }
  return 0;
}

}  // namespace orvo
