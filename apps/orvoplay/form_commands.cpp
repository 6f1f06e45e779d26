// The form commands of scripts: new, use, focus, size, set, get, call, and persistence.
#include <cmath>

#include "access/by_name.h"
#include "orvo/error.h"
#include "orvo/orvo_mask.h"
#include "play_form.h"
#include "property_path.h"
#include "rendering.h"
#include "script_runner.h"

namespace orvo::play {

namespace {

// `new NAME [INDEX]`, `use NAME [INDEX]`: the control array index, -1 for none.
int16_t IndexArg(int32_t n) {
  if (n < 0 || n > 32767) throw ScriptFault{"an index 0..32767", std::to_string(n)};
  return static_cast<int16_t>(n);
}

PropertyPath PathArg(const std::string& word) {
  auto path = ParsePropertyPath(word);
  if (!path) throw ScriptFault{"PROP, PROP(I) or WIDGET.PROP", word};
  return *path;
}

}  // namespace

PlayForm& ScriptRunner::Form() {
  if (!form_) form_ = std::make_unique<PlayForm>(host_, events_);
  return *form_;
}

void ScriptRunner::NewCommand(const Command& c) {
  c.ExpectCount(1, 2);
  NewControlSpec spec;
  spec.name = c.Word(1);
  spec.index = c.Count() == 2 ? IndexArg(c.Whole(2)) : -1;
  spec.design = designMode_;
  spec.locale = LocaleSettings::Named(localeName_);
  // The bag serves one `new`, failed or not.
  spec.bag = std::move(bagEntries_);
  bagEntries_.clear();
  Form().New(spec);
}

void ScriptRunner::UseCommand(const Command& c, bool focus) {
  c.ExpectCount(1, 2);
  std::string name = c.Word(1);
  int16_t index = c.Count() == 2 ? IndexArg(c.Whole(2)) : -1;
  if (focus) {
    Form().Focus(name, index);
  } else {
    Form().Use(name, index);
  }
}

void ScriptRunner::SizeCommand(const Command& c) {
  c.ExpectCount(2, 2);
  Form().Resize(static_cast<float>(c.Number(1)), static_cast<float>(c.Number(2)));
}

void ScriptRunner::SetCommand(const Command& c) {
  c.ExpectCount(2, 2);
  std::string word = c.Word(1);
  if (word == "Clipboard") {
    Form().SetClipboard(c.Text(2));
    return;
  }
  PropertyPath path = PathArg(word);
  if (path.widgetProperty) throw ScriptFault{"a property of the control", word};
  Variant value = c.Value(2);
  OrvoMask& control = Form().Current();
  if (path.index) {
    SetIndexedProperty(control, path.name, *path.index, value);
  } else {
    SetProperty(control, path.name, value);
  }
  Form().Settle();
}

void ScriptRunner::GetCommand(const Command& c) {
  c.ExpectCount(1, 1);
  std::string word = c.Word(1);
  if (word == "Clipboard") return PrintValue(word, Variant(Form().Clipboard()));
  if (word == "Beeps") return PrintValue(word, Variant(Form().Beeps()));
  if (word == "Focus") return PrintValue(word, Variant(Form().FocusName()));
  if (auto popup = Form().ReadPopup(word)) return PrintValue(word, *popup);
  PropertyPath path = PathArg(word);
  OrvoMask& control = Form().Current();
  Variant v;
  if (path.widgetProperty) {
    v = GetWidgetProperty(control, path.name, path.index.value_or(0), *path.widgetProperty);
  } else if (path.index) {
    v = GetIndexedProperty(control, path.name, *path.index);
  } else {
    v = GetProperty(control, path.name);
  }
  PrintValue(word, v);
}

void ScriptRunner::CallCommand(const Command& c) {
  c.ExpectCount(1, SIZE_MAX);
  std::string method = c.Word(1);
  std::vector<Variant> args;
  for (size_t i = 2; i <= c.Count(); ++i) args.push_back(c.Value(i));
  bool isFunction = false;
  Variant result = CallMethod(Form().Current(), method, args, isFunction);
  Form().Settle();
  if (isFunction) PrintValue(method, result);
}

void ScriptRunner::SaveLoadCommand(const Command& c) {
  c.ExpectCount(1, 1);
  std::string path = c.Arg(1).kind == TokenKind::String ? c.Text(1) : c.Word(1);
  if (c.tokens[0].text == "save") {
    Form().Save(path);
  } else {
    Form().Load(path, designMode_, LocaleSettings::Named(localeName_));
  }
}

void ScriptRunner::ScreenshotCommand(const Command& c) {
  c.ExpectCount(1, 1);
  std::string path = c.Arg(1).kind == TokenKind::String ? c.Text(1) : c.Word(1);
  Form().Screenshot(path);
}

}  // namespace orvo::play
