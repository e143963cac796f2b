#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace zunaka {

// なまえ: the list of players to choose from and, while there is room, a box for a new name. Unlike the
// key box, the name box takes Japanese through the input method. Shown by the records page's name button.
class PlayerDialog : public QDialog {
public:
    // The name chosen or typed, or nothing when the dialog was cancelled.
    static std::optional<std::string> ask(QWidget* parent, const std::vector<std::string>& players,
                                          const std::string& current, bool mayAdd);

private:
    PlayerDialog(QWidget* parent, const std::vector<std::string>& players, const std::string& current, bool mayAdd);
    std::string chosen() const;

    QListWidget* list_ = nullptr;
    QLineEdit* newName_ = nullptr;
};

} // namespace zunaka
