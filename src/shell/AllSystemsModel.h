#pragma once

#include "session/AllSystemsGames.h"

#include <QAbstractTableModel>

// The rows of the All Systems window: the title (a star before a favourite's) and the name of
// the game's system, for the rows the view choices select.
class AllSystemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit AllSystemsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    AllSystemsGames& games() { return m_games; }
    void show(const ViewChoices& choices);
    const std::vector<AllSystemsGames::Row>& rows() const { return m_rows; }
    void rowChanged(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    AllSystemsGames m_games;
    std::vector<AllSystemsGames::Row> m_rows;
};
