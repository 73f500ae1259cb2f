#include "app/TOutsideAddresses.h"

#include "app/TFrmMain.h"
#include "gui/TApplication.h"
#include "platform/TSingleInstance.h"

void TOutsideAddresses::Install(platform::TSingleInstance& instance, TFrmMain& form,
                                const std::vector<std::string>& addresses) {
    Open(form, addresses);
    // The bus calls in from a GLib callback; the tabs open from the queue,
    // where a failure gets the program's own error report.
    instance.OnAddresses = [](const std::vector<std::string>& handed) {
        Application->Queue([handed] { Receive(handed); });
    };
}

void TOutsideAddresses::Open(TFrmMain& form, const std::vector<std::string>& addresses) {
    for (const std::string& address : addresses)
        form.OpenTab(address);
}

void TOutsideAddresses::Receive(const std::vector<std::string>& addresses) {
    if (!FrmMain) return;
    Open(*FrmMain, addresses);
    if (FrmMain) FrmMain->Show();
}
