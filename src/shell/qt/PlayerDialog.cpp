#include "PlayerDialog.h"

#include "platform/Fonts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zunaka {

namespace {

// The main window's face is 32 px for the strip; the dialog has its own, for a child to read.
constexpr int kDialogFontPx = 18;
// A name as long as a child's full name in kanji or kana, which the page's title line still holds.
constexpr int kNameMaxLength = 10;

} // namespace

PlayerDialog::PlayerDialog(QWidget* parent, const std::vector<std::string>& players, const std::string& current,
                           bool mayAdd)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("なまえ"));
    setFont(proportionalGothic(kDialogFontPx));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("だれが あそびますか？"), this));
    list_ = new QListWidget(this);
    for (const std::string& name : players) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), list_);
        if (name == current)
            list_->setCurrentItem(item);
    }
    layout->addWidget(list_);

    layout->addWidget(new QLabel(mayAdd ? QStringLiteral("あたらしい なまえ：") : QStringLiteral("なまえは 8にんまで です。"), this));
    newName_ = new QLineEdit(this);
    newName_->setMaxLength(kNameMaxLength);
    newName_->setEnabled(mayAdd);
    newName_->setAttribute(Qt::WA_InputMethodEnabled, true);
    layout->addWidget(newName_);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("きめる"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("やめる"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

// A name typed wins over the list: typing it is the choice.
std::string PlayerDialog::chosen() const
{
    const QString typed = newName_->text().simplified();
    if (!typed.isEmpty())
        return typed.toStdString();
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text().toStdString() : std::string();
}

std::optional<std::string> PlayerDialog::ask(QWidget* parent, const std::vector<std::string>& players,
                                             const std::string& current, bool mayAdd)
{
    PlayerDialog dialog(parent, players, current, mayAdd);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().empty())
        return std::nullopt;
    return dialog.chosen();
}

} // namespace zunaka
