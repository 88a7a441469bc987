#include "app/app_errors.h"

#include "app/version.h"
#include "ui/prompter.h"

namespace quintara {

void reportError(const std::exception& error)
{
    ui::Prompter::current().error(QString::fromUtf8(kApplicationTitle), QString::fromUtf8(error.what()));
}

}  // namespace quintara
