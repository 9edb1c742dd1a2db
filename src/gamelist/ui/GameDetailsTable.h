#pragma once

#include <QTableView>

class GameListModel;
class QItemSelectionModel;
class QTimer;

// The details table: the game list's model with its columns, one row per entry, sharing the
// standard list's selection, so that the selected game is the same whichever of the two shows.
// A click on a column's header asks for the list sorted by it (the model stays as it is: the
// list's own view choices sort it); widths and order are the header's to save and restore.
class GameDetailsTable : public QTableView {
    Q_OBJECT
public:
    GameDetailsTable(GameListModel* model, QItemSelectionModel* selection,
                     QWidget* parent = nullptr);

    // Shows the sort mark on the column of that name (none for an empty name).
    void showSort(const QString& column, bool descending);
    QByteArray columnsState() const;
    // The stored widths and order; the default widths where there are none (or they were
    // saved for other columns).
    void restoreColumns(const QByteArray& state);

signals:
    void sortAsked(const QString& column, bool descending);
    void columnsChanged(); // a column was moved or resized by the user
    void rowDoubleClicked(int row);

private:
    void setDefaultWidths();

    GameListModel* m_model;
    bool m_showingSort = false;
    QTimer* m_columnsSettled; // a drag resizes a column many times: one report when it stops
};
