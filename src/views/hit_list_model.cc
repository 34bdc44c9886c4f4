// See hit_list_model.h.
#include "views/hit_list_model.h"

#include "decode/markup_text.h"

CHitListModel::CHitListModel(CDictSession& session, QObject* parent)
    : QAbstractListModel(parent), m_rows(session) {}

int CHitListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows.RowCount();
}

QVariant CHitListModel::data(const QModelIndex& index, int role) const {
  const HitRow* row = Row(index.row());
  if (row == nullptr || index.parent().isValid()) return {};
  switch (role) {
    case Qt::DisplayRole: {
      // Gaiji are mapped already; those left have no text of their own.
      std::u16string plain = MarkupToPlainText(row->heading, nullptr, true);
      return QString::fromStdU16String(row->name + plain);
    }
    case kHitRole: return row->hit;
    case kDictRole: return row->dict;
    case kFaceRole: return row->face;
    case kNameRole: return QString::fromStdU16String(row->name);
    case kHeadingRole: return QString::fromStdU16String(row->heading);
    default: return {};
  }
}

int CHitListModel::Fill(int terms, bool allDicts, int currentDict) {
  beginResetModel();
  int n = m_rows.Fill(terms, allDicts, currentDict);
  endResetModel();
  return n;
}

void CHitListModel::Clear() {
  beginResetModel();
  m_rows.Clear();
  endResetModel();
}

void CHitListModel::RenameRows() {
  m_rows.RenameRows();
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

const HitRow* CHitListModel::Row(int row) const {
  if (row < 0 || row >= m_rows.RowCount()) return nullptr;
  return &m_rows.Rows()[static_cast<size_t>(row)];
}
