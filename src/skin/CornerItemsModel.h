#pragma once
// The skin document's flash controls as rows: the controls list of step 5 and its preview show
// this one model and share one selection of it. Rows are the document's controls in their order;
// columns are the list's: where, what it is called, where it came from.
#include "skin/CornerItem.h"

#include <QAbstractTableModel>
#include <QList>

class SkinDocument;

// The list's name of a control file: its file name without folder and last extension.
QString ControlNameOf(const QString& path);
// The list's position text of a corner: "左上角", "右上角", "左下角", "右下角".
QString CornerPositionText(Corner corner);
// Column "路径" of a control that came from the gallery.
QString DownloadedPathText();

class CornerItemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { PositionColumn, NameColumn, PathColumn, ColumnCount };
    // The row's CornerItem, as a QVariant.
    static constexpr int ItemRole = Qt::UserRole;

    explicit CornerItemsModel(SkinDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const CornerItem& Item(int row) const { return m_items[row]; }
    const QList<CornerItem>& Items() const { return m_items; }
    // The row's index in the document's item list, or -1.
    int DocumentIndex(int row) const;
    // The row of the corner's own control, or -1.
    int RowOfCorner(Corner corner) const;

private:
    // The document's items changed: the rows follow, as an insertion, a removal or a change of
    // data where that is what happened (so a view's selection stays), otherwise anew.
    void Refresh();

    SkinDocument& m_document;
    QList<CornerItem> m_items;
    QList<int> m_indexes; // document index of each row
};

Q_DECLARE_METATYPE(CornerItem)
