#include "app/backup_first.h"

#include "data/backup.h"
#include "ui/prompter.h"
#include "ui/wait_cursor.h"

namespace quintara {

bool backupFirst(const DataModule& dm, const QString& title, const QString& nothingDone)
{
    try {
        ui::WaitCursor wait;
        backupBeforeChange(dm);
        return true;
    } catch (const BackupError& e) {
        ui::Prompter::current().error(title, QStringLiteral("Não foi possível fazer a cópia de segurança dos "
                                                            "dados: ") +
                                                 QString::fromStdString(e.what()) + QStringLiteral("\n") +
                                                 nothingDone);
        return false;
    }
}

}  // namespace quintara
