// See search_bar.h.
#include "views/search_bar.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "shell/frame.h"
#include "shell/history_box.h"
#include "shell/settings.h"

CSearchBar::CSearchBar(CSettings& settings, CFrame& frame, bool fullText, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_frame(frame), m_incremental(settings, *this, &CSearchBar::PostSearch, this) {
  m_word = new QComboBox(this);
  m_word->setObjectName(QStringLiteral("searchWord"));
  m_word->setEditable(true);
  m_word->setInsertPolicy(QComboBox::NoInsert);
  m_word->setMaxVisibleItems(16);
  m_word->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_word->setMinimumContentsLength(6);
  m_word->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_button = new QPushButton(tr("検索"), this);
  m_button->setObjectName(QStringLiteral("searchButton"));
  m_button->setAutoDefault(false);
  m_button->setFocusPolicy(Qt::NoFocus);
  m_type = new QComboBox(this);
  m_type->setObjectName(QStringLiteral("searchType"));
  m_type->addItems({tr("前方"), tr("後方"), tr("完全"), tr("クロス"), tr("条件")});
  if (fullText) m_type->addItem(tr("全文"));
  m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_type->setFocusPolicy(Qt::ClickFocus);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(4);
  layout->addWidget(m_word, 1);
  layout->addWidget(m_button);
  layout->addWidget(m_type);

  m_word->installEventFilter(this);
  m_word->lineEdit()->installEventFilter(this);
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, [this] { m_incremental.OnTimer(m_composing); });
  // Only the user's edits start the timer, not the program's own changes
  // of the text (a word put at the top of the list).
  connect(m_word->lineEdit(), &QLineEdit::textEdited, this, [this] { m_incremental.OnEdit(); });
  connect(m_word, &QComboBox::activated, this, [this] { m_incremental.OnEdit(); });
  connect(m_button, &QPushButton::clicked, this, &CSearchBar::OnButton);
}

CSearchBar::~CSearchBar() = default;

void CSearchBar::PostSearch(void* self) {
  static_cast<CSearchBar*>(self)->m_frame.Post(CFrameMessage::Search(true, false));
}

void CSearchBar::OnButton() {
  if (m_settings.m_searching) m_frame.Abort();
  else m_frame.Search(false, false);
}

bool CSearchBar::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (HandleKey(event)) return true;
      break;
    case QEvent::InputMethod:
      m_composing = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
      break;
    case QEvent::FocusIn:
      if (watched == m_word) {
        if (m_settings.ime_control) QGuiApplication::inputMethod()->show();
        m_frame.SearchBoxFocus(0, 0);
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// Enter searches; Tab and Shift+Tab go to the hit list on release.
bool CSearchBar::HandleKey(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const bool press = event->type() == QEvent::KeyPress;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // An open list takes Enter as the choice of an item.
      if (m_word->view()->isVisible()) return false;
      if (press) m_frame.Search(false, false);
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (!press && !key->isAutoRepeat()) {
        bool shift = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        m_frame.MoveFocus(shift ? 2 : 1, kFocusSearchBox);
      }
      return true;
    default:
      return false;
  }
}

// ------------------------------------------------------------------ words

std::u16string CSearchBar::Text() const { return m_word->currentText().toStdU16String(); }

void CSearchBar::SetText(const std::u16string& text) { m_word->setEditText(QString::fromStdU16String(text)); }

void CSearchBar::FocusWord(bool selectAll) {
  QLineEdit* edit = m_word->lineEdit();
  m_word->setFocus(Qt::OtherFocusReason);
  if (selectAll) {
    edit->selectAll();
  } else {
    edit->deselect();
    edit->end(false);
  }
}

bool CSearchBar::HasWordFocus() const { return m_word->hasFocus() || m_word->lineEdit()->hasFocus(); }

std::vector<std::u16string> CSearchBar::Items() const {
  std::vector<std::u16string> items;
  items.reserve(static_cast<size_t>(m_word->count()));
  for (int i = 0; i < m_word->count(); ++i) items.push_back(m_word->itemText(i).toStdU16String());
  return items;
}

// Replaces the list, keeping the text being edited.
void CSearchBar::SetItems(const std::vector<std::u16string>& items) {
  QString text = m_word->currentText();
  QSignalBlocker block(m_word);
  m_word->clear();
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::u16string& item : items) list << QString::fromStdU16String(item);
  m_word->addItems(list);
  m_word->setCurrentIndex(-1);
  m_word->setEditText(text);
}

void CSearchBar::PutWord(const std::u16string& word) {
  std::vector<std::u16string> items = Items();
  if (!PutHistoryItem(&items, word, m_settings.maxHistory)) return;
  SetItems(items);
  QSignalBlocker block(m_word);
  if (m_word->count() > 0) m_word->setCurrentIndex(0);
  else m_word->setEditText(QString::fromStdU16String(word));
}

void CSearchBar::FillHistory(std::u16string_view historyList) {
  SetItems(HistoryBoxItems(historyList, m_settings.maxHistory));
}

std::u16string CSearchBar::HistoryList() const { return HistoryListOf(Items()); }

void CSearchBar::Cut() { m_word->lineEdit()->cut(); }
void CSearchBar::Copy() { m_word->lineEdit()->copy(); }
void CSearchBar::Paste() { m_word->lineEdit()->paste(); }
void CSearchBar::SelectAll() { m_word->lineEdit()->selectAll(); }
void CSearchBar::DeleteSelection() {
  if (m_word->lineEdit()->hasSelectedText()) m_word->lineEdit()->del();
}

// ------------------------------------------------------------------ types

int CSearchBar::TypeSelection() const { return std::max(m_type->currentIndex(), 0); }

void CSearchBar::SelectType(int type) { m_type->setCurrentIndex(type >= 0 && type < m_type->count() ? type : 0); }

int CSearchBar::TypeCount() const { return m_type->count(); }
