// CHitListModel: the hit list's rows (shell/hit_rows.h) as a Qt list
// model, one row per hit with a heading.
//
// The display text of a row is its dictionary name and its heading as
// plain text (what assistive tools read); the list's delegate draws from
// the roles below instead: the name, the heading markup, the face and the
// dictionary of the row, and the row's item data -- the index of its hit,
// the display argument of UM_SHOW_HIT.
#ifndef TOMELING_VIEWS_HIT_LIST_MODEL_H_
#define TOMELING_VIEWS_HIT_LIST_MODEL_H_

#include <QAbstractListModel>

#include "shell/hit_rows.h"

class CHitListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role : int {
    kHitRole = Qt::UserRole + 1,  // int: index of the row's hit
    kDictRole,                    // int: dictionary of the book list
    kFaceRole,                    // int: 0 Japanese, 1 EBG, 2 EBXA-C
    kNameRole,                    // QString: the padded dictionary name
    kHeadingRole,                 // QString: the heading markup
  };

  explicit CHitListModel(CDictSession& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // CHitRows::Fill and Clear, telling the views.
  int Fill(int terms, bool allDicts, int currentDict);
  void Clear();
  // The rows' dictionary names follow lenDictName again.
  void RenameRows();

  const CHitRows& Rows() const { return m_rows; }
  // Row `row`, or nullptr when there is none.
  const HitRow* Row(int row) const;

 private:
  CHitRows m_rows;
};

#endif  // TOMELING_VIEWS_HIT_LIST_MODEL_H_
