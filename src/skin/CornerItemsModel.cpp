#include "skin/CornerItemsModel.h"

#include "skin/SkinDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ControlNameOf(const QString& path)
{
    return QFileInfo(QDir::fromNativeSeparators(path)).completeBaseName();
}

QString CornerPositionText(Corner corner)
{
    static const char* const kTexts[kCornerCount] = {
        QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "左上角"), QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "右上角"),
        QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "左下角"), QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "右下角")};
    return QCoreApplication::translate("CWebFlashFrameDlg", kTexts[CornerIndex(corner)]);
}

QString DownloadedPathText()
{
    return QCoreApplication::translate("CWebFlashFrameDlg", "Vadi动态控件");
}

CornerItemsModel::CornerItemsModel(SkinDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&m_document, &SkinDocument::itemsChanged, this, &CornerItemsModel::Refresh);
    Refresh();
}

int CornerItemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

int CornerItemsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CornerItemsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const CornerItem& item = m_items[index.row()];
    if (role == ItemRole)
        return QVariant::fromValue(item);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case PositionColumn:
        return CornerPositionText(item.corner);
    case NameColumn:
        return item.displayName.isEmpty() ? ControlNameOf(item.file) : item.displayName;
    case PathColumn:
        return item.fromGallery ? DownloadedPathText() : QDir::toNativeSeparators(item.file);
    default:
        return {};
    }
}

QVariant CornerItemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[ColumnCount] = {QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "位置"),
                                                     QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "名称"),
                                                     QT_TRANSLATE_NOOP("CWebFlashFrameDlg", "路径")};
    return section >= 0 && section < ColumnCount
               ? QCoreApplication::translate("CWebFlashFrameDlg", kTitles[section])
               : QVariant();
}

int CornerItemsModel::DocumentIndex(int row) const
{
    return row >= 0 && row < m_indexes.size() ? m_indexes[row] : -1;
}

int CornerItemsModel::RowOfCorner(Corner corner) const
{
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items[row].corner == corner)
            return row;
    }
    return -1;
}

void CornerItemsModel::Refresh()
{
    QList<CornerItem> items;
    const QList<int> indexes = m_document.ControlIndexes();
    for (int index : indexes)
        items.append(m_document.Items()[index]);
    const qsizetype before = m_items.size();
    const qsizetype after = items.size();
    if (after == before) {
        m_indexes = indexes;
        if (items == m_items)
            return;
        m_items = items;
        emit dataChanged(index(0, 0), index(int(after) - 1, ColumnCount - 1));
        return;
    }
    if (after == before + 1 && items.mid(0, before) == m_items) {
        beginInsertRows({}, int(before), int(before));
        m_items = items;
        m_indexes = indexes;
        endInsertRows();
        return;
    }
    if (after == before - 1) {
        qsizetype removed = 0;
        while (removed < after && items[removed] == m_items[removed])
            ++removed;
        if (items.mid(removed) == m_items.mid(removed + 1)) {
            beginRemoveRows({}, int(removed), int(removed));
            m_items = items;
            m_indexes = indexes;
            endRemoveRows();
            return;
        }
    }
    beginResetModel();
    m_items = items;
    m_indexes = indexes;
    endResetModel();
}
