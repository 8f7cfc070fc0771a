#pragma once

#include <optional>
#include <string>

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

// "Enter Archive Password": the archive and member names and an edit box for the password.
// One dialog serves every request of the run: "Show Password" and the text left by a Cancel
// carry over to the next request.
class TAA_Password : public QDialog {
    Q_OBJECT

public:
    explicit TAA_Password(QWidget* parent = nullptr);

    // Shows the dialog modally for member of archive. OK answers with the typed text (empty
    // is an answer) and empties the edit box; Cancel answers nothing and keeps the text.
    std::optional<std::string> Ask(const std::string& archive, const std::string& member);

    QLineEdit* Edit() const { return edit_; }
    QCheckBox* ShowPassword() const { return show_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* ArchiveText() const { return archive_; }
    QLabel* MemberText() const { return member_; }

private:
    QLabel* archive_;
    QLabel* member_;
    QLineEdit* edit_;
    QCheckBox* show_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace zeb
