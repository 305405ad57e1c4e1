// The controls of the special square editor at their places in twips.
#include "specials/frm_map_spe.h"

#include "ui/twips.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace specials {

namespace {

struct Place {
  int left, top, width, height;
};

// The window's places in twips. Controls that no kind shows together share a place.
const std::map<QString, Place>& Places() {
  static const std::map<QString, Place> places = {
      {"Label1", {360, 360, 1215, 255}},   {"Combo1", {360, 600, 1935, 315}},
      {"Label2", {2400, 360, 855, 255}},   {"Text1", {2400, 600, 1335, 315}},
      {"Combo2", {2400, 600, 1335, 315}},  {"Label3", {3840, 360, 855, 255}},
      {"Text5", {3840, 600, 975, 315}},    {"Combo4", {3840, 600, 975, 315}},
      {"Command2", {3840, 600, 975, 315}}, {"Combo3", {3840, 600, 2175, 315}},
      {"Label8", {3840, 600, 2775, 375}},  {"Label4", {4920, 360, 975, 255}},
      {"Text6", {4920, 600, 975, 315}},    {"Label5", {2093, 1080, 1215, 255}},
      {"Combo5", {2093, 1320, 1455, 315}}, {"Label9", {3600, 1080, 1215, 255}},
      {"Text3", {3600, 1320, 975, 315}},   {"Label6", {1493, 1800, 1215, 375}},
      {"Text2", {1493, 2040, 975, 315}},   {"Label7", {2693, 1800, 1215, 495}},
      {"Combo7", {2693, 2040, 1455, 315}}, {"Label10", {4253, 1800, 975, 255}},
      {"Text4", {4253, 2040, 975, 315}},   {"Command1", {2753, 2520, 1215, 495}},
      {"Combo6", {360, 2520, 975, 315}},
  };
  return places;
}

// The window's inside: the widest control's right edge and the OK button's bottom edge, with
// the margin the controls keep from the top left corner.
constexpr int BodyWidthTwips = 3840 + 2775 + 360;
constexpr int BodyHeightTwips = 2520 + 495 + 360;

void PlaceAt(QWidget* control, const Place& place) {
  // Whatever size a control would take, here the place decides.
  control->setMinimumSize(0, 0);
  control->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  control->setGeometry(ui::TwipsToPixels(place.left), ui::TwipsToPixels(place.top),
                       ui::TwipsToPixels(place.width), ui::TwipsToPixels(place.height));
}

ui::Label* MakeLabel(QWidget* parent, const QString& name) {
  auto* label = new ui::Label(parent, name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

constexpr int NameCharacters = 28;  // a catalogue name, with room to spare

ui::ComboBox* MakeList(QWidget* parent, const QString& name) {
  auto* combo = new ui::ComboBox(parent, name);
  // The place fixes the size: thousands of names are never measured, shown or opened.
  combo->setWidthInCharacters(NameCharacters);
  // The places are narrower than a catalogue name; the open list shows names whole.
  combo->view()->setMinimumWidth(combo->fontMetrics().averageCharWidth() * NameCharacters);
  return combo;
}

}  // namespace

// Labels first, so that the fields lie above the tall caption labels they overlap; fields in
// the order the Tab key should visit them.
void frmMapSpe::buildControls() {
  QWidget* parent = body();
  Label1_ = MakeLabel(parent, "Label1");
  for (int c = 0; c < CaptionCount; ++c)
    captions_[static_cast<std::size_t>(c)] = MakeLabel(parent, QString("Label%1").arg(c + 2));
  QLabel* preview = captions_[static_cast<std::size_t>(Caption::Label8)];
  preview->setWordWrap(true);

  const auto box = [this](Box b) -> ui::TextBox*& { return boxes_[static_cast<std::size_t>(b)]; };
  const auto list = [this](List l) -> ui::ComboBox*& {
    return lists_[static_cast<std::size_t>(l)];
  };
  Combo1_ = MakeList(parent, "Combo1");
  box(Box::Text1) = new ui::TextBox(parent, "Text1");
  list(List::Combo2) = MakeList(parent, "Combo2");
  box(Box::Text5) = new ui::TextBox(parent, "Text5");
  list(List::Combo3) = MakeList(parent, "Combo3");
  list(List::Combo4) = MakeList(parent, "Combo4");
  Command2_ = new ui::Button(parent, "Command2");
  Command2_->setText("View");
  box(Box::Text6) = new ui::TextBox(parent, "Text6");
  list(List::Combo5) = MakeList(parent, "Combo5");
  box(Box::Text3) = new ui::TextBox(parent, "Text3");
  box(Box::Text2) = new ui::TextBox(parent, "Text2");
  list(List::Combo7) = MakeList(parent, "Combo7");
  box(Box::Text4) = new ui::TextBox(parent, "Text4");
  Command1_ = new ui::Button(parent, "Command1");
  Command1_->setText("OK");
  Combo6_ = MakeList(parent, "Combo6");

  for (ui::TextBox* b : boxes_) b->hide();
  for (ui::ComboBox* l : lists_) l->hide();
  Combo6_->hide();
  Command2_->hide();
  placeControls();
}

void frmMapSpe::placeControls() {
  body()->setFixedSize(ui::TwipsToPixels(BodyWidthTwips), ui::TwipsToPixels(BodyHeightTwips));
  for (QWidget* control : body()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const auto place = Places().find(control->objectName());
    if (place != Places().end()) PlaceAt(control, place->second);
  }
}

void frmMapSpe::connectHandlers() {
  // Change or Click of the four lists and Change of Text1 and Text2 store the window; the other
  // fields are stored by the next store, at the latest by "OK".
  connect(Combo1_, &ui::ComboBox::clicked, this, &frmMapSpe::CheckForChange);
  for (List l : {List::Combo2, List::Combo3, List::Combo4})
    connect(lists_[static_cast<std::size_t>(l)], &ui::ComboBox::clicked, this,
            &frmMapSpe::CheckForChange);
  for (Box b : {Box::Text1, Box::Text2})
    connect(boxes_[static_cast<std::size_t>(b)], &ui::TextBox::changed, this,
            &frmMapSpe::CheckForChange);
  connect(Command1_, &QPushButton::clicked, this, &frmMapSpe::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &frmMapSpe::Command2_Click);
}

// Enter is "OK" and Escape closes without a further store, as closing the window does. The
// boxes and closed lists leave both keys to the window.
void frmMapSpe::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Command1_Click();
      return;
    case Qt::Key_Escape:
      closeForm();
      return;
    default:
      ui::Form::keyPressEvent(event);
  }
}

}  // namespace specials
