#pragma once

#include <QListView>
#include <QStringList>

#include <functional>

class GameListModel;

// lstGames: the list box of games, one line per entry, one entry selected at a time. A view
// over a plain list of the entries' texts: 50,000 games cost one string reference each, where
// a list widget keeps an item object with a data list of its own for every entry, and at
// start-up each page of memory touched for the first time costs its page fault.
class GameListBox : public QListView {
    Q_OBJECT
public:
    explicit GameListBox(QWidget* parent = nullptr);

    // Replaces every entry. The current row is dropped without a signal, so selecting an
    // entry afterwards always signals, even the one that was current before.
    void setItems(QStringList texts);

    int count() const;
    int currentRow() const; // -1 with no current entry
    // Makes the entry current and selected; a row outside the list leaves none current.
    void setCurrentRow(int row);
    QString itemText(int row) const;
    QRect visualRowRect(int row) const;
    // Where an entry's tooltip comes from; none, or an empty text, shows no tooltip.
    void setToolTipSource(std::function<QString(int row)> source);
    // Which entries carry a mark before their text (a star). Asked only for the entries drawn,
    // so marking costs nothing per entry when the list is filled.
    void setMarkSource(std::function<bool(int row)> source);
    // Draws the entry again, after its mark changed.
    void updateRow(int row);

signals:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    GameListModel* m_model;
    std::function<QString(int)> m_toolTipSource;
};
