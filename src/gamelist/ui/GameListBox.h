#pragma once

#include <QListView>

class GameListModel;

// lstGames: the list box of games, one line per entry, one entry selected at a time, a view
// over the list's model. Tooltips come from the model's tooltip role; a row without a text
// shows none.
class GameListBox : public QListView {
    Q_OBJECT
public:
    explicit GameListBox(GameListModel* model, QWidget* parent = nullptr);

    int count() const;
    int currentRow() const; // -1 with no current entry
    // Makes the entry current and selected; a row outside the list leaves none current.
    void setCurrentRow(int row);
    QString itemText(int row) const;
    QRect visualRowRect(int row) const;

signals:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row);

private:
    GameListModel* m_model;
};
