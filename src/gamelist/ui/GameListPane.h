#pragma once

#include "gamelist/GameListModel.h"

#include <QObject>
#include <QRect>

#include <functional>
#include <optional>

class GameDetailsTable;
class GameFilterField;
class GameLibrary;
class GameListBox;
class QAbstractItemView;
class QWidget;

// The game list as the window shows it: lstGames over its model, the filter field that opens
// above it when the user types, and the view choices. It tells the window by signals when the
// selected game changes, when a launch is asked for and when the list is first drawn.
class GameListPane : public QObject {
    Q_OBJECT
public:
    // The list and the field are made on `client`, where the window places them.
    GameListPane(const GameLibrary& library, QWidget* client);

    GameListBox* list() const { return m_list; }
    GameFilterField* filterField() const { return m_filter; }
    GameListModel& model() { return m_model; }
    // GameList: the ROM name and description of each entry.
    const GameListRows& rows() const { return m_model.rows(); }

    // A fill with games just loaded (and their details, when the list has them): the list is
    // fitted to them by `grow` (see fitList), then the first entry is selected (and signals)
    // when there is one.
    void setGames(QList<GameEntry> games, const std::function<void()>& grow,
                  GameDetails details = {});
    // The same fill with the selected game kept, its profile untouched, and the scroll position
    // restored: for a list that changed under the user.
    void replaceGames(QList<GameEntry> games, const std::function<void()>& grow,
                      GameDetails details = {});
    // The details table in the list's place, or the standard list; made when first shown.
    void showDetailsTable(bool shown);
    GameDetailsTable* detailsTable() const { return m_table; }
    // The view the user works in: the details table while it shows, else lstGames.
    QAbstractItemView* activeView() const;
    // Shows the entries the choices select, the selected game kept when still listed.
    void setViewChoices(const ViewChoices& choices);
    const ViewChoices& viewChoices() const { return m_view; }
    // Sets the choices without a fill, for start-up: the first fill shows them.
    void restoreViewChoices(const ViewChoices& choices) { m_view = choices; }
    // Draws the selected entry's star again; in the view of favourites, refills.
    void favouriteChanged();

    // The ROM name of the selected game; nullopt when no game is selected.
    std::optional<QString> selectedRom() const;
    QString selectedDescription() const;

    void openFilter(const QString& typed = QString());
    void closeFilter();
    // Runs `grow` (which may make the list taller) on the list's own place, not the part below
    // the filter field.
    void fitList(const std::function<void()>& grow);
    // Reports firstPainted once, when the list has been drawn.
    void watchFirstPaint();

signals:
    void selectionChanged(); // the selected game changed, the user's choice or a fill's
    void refilled();         // the entries were replaced
    void launchAsked();      // a double-click, or Enter in the list or in the filter field
    void firstPainted();
    void detailsTableMade();                                  // to restore its columns
    void detailsSortAsked(const QString& column, bool descending);
    void detailsColumnsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const std::optional<QString>& keep);
    void placeFilterField();
    void placeTable();
    // Right shows a parent's hidden clones under it, Left hides them again (from a clone too).
    bool showClones(bool shown);

    GameListModel m_model;
    GameListBox* m_list;
    GameFilterField* m_filter;
    GameDetailsTable* m_table = nullptr;
    ViewChoices m_view;
    QRect m_listGeometry; // lstGames where the filter field does not take its top
    bool m_watchingPaint = false;
};
