// "Versuche": the gallery of ready experiments, grouped by phenomenon. Each shows its picture
// and title; the selected one's text stands below the grid. Opening one hands its tank to the
// main window, which shows it in free mode as a new, untitled tank.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace zb::ui {

class GalleryGrid;

// Data/Versuche beside the program.
QString defaultGalleryFolder();

class GalleryWindow : public QWidget {
    Q_OBJECT

  public:
    // An empty folder: the one beside the program.
    explicit GalleryWindow(const QString& folder = {}, QWidget* parent = nullptr);

    const QString& folder() const { return folder_; }
    // Another folder, read when the window shows next (at once when it shows now).
    void setFolder(const QString& folder);
    // Reads the folder again.
    void reload();

    GalleryGrid* grid;
    QLabel* lblTitel;
    QLabel* lblText;
    QLabel* lblMeldung; // why the gallery is empty or incomplete
    QPushButton* btnOeffnen;

  signals:
    // The user chose this experiment: its tank file and its title.
    void openRequested(const QString& tankPath, const QString& title);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showSelected(int index);
    void openSelected();

    QString folder_;
    QScrollArea* scroller_;
};

} // namespace zb::ui
