#include "load/LoadForm.h"

LoadForm LoadForm::initial() {
    LoadForm form;
    for (int i = 0; i < InputFields::Count; ++i)
        form.fields[static_cast<size_t>(i)] = QString::fromUtf8(InputFields::field(i).initialText);
    return form;
}
