#include "CloudPackageFetch.h"

#include "CloudTaskSupport/TaskPackagePlacement.h"

#include <wx/filename.h>
#include <wx/intl.h>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace Vantrel {

std::function<bool(ProgStruct&)> MakePackageFetch(const OmbraAPIHelper& client, long code, const wxString& package,
                                                  const wxString& taskFolder, std::shared_ptr<wxString> failure)
{
    static std::atomic<unsigned> attempts{0};
    // wx strings are copied here, on the calling thread: the worker shares none of them.
    const wxString partial = package + wxString::Format(".part%u", ++attempts);
    return [client = OmbraAPIHelper(client), code, package = wxString(package.c_str()),
            partial = wxString(partial.c_str()), taskFolder = wxString(taskFolder.c_str()),
            failure](ProgStruct& progress) mutable {
        wxString path = partial;
        std::mutex pathGuard;
        client.GetExpPackage_Progress(code, &progress, path, &pathGuard);
        const bool complete = !client.DidCurlRequestFail() && !progress.cancel && wxFileName::GetSize(partial) > 0;
        if (!complete || std::rename(partial.fn_str(), package.fn_str()) != 0) {
            std::remove(partial.fn_str());
            if (!progress.cancel)
                *failure = _("The task could not be downloaded. Check the internet connection and try again.");
            return false;
        }
        // A cancel stops the unpacking too, not only the transfer: a cancelled worker
        // must stop working, not merely stop being waited for.
        UnpackLimits limits;
        limits.cancel = &progress.cancel;
        const UnpackResult unpacked = PlaceTaskPackage(package, taskFolder, limits);
        std::remove(package.fn_str());  // unpacked or refused, the package is never needed again
        if (!unpacked.ok && !progress.cancel) *failure = unpacked.error;
        return unpacked.ok;
    };
}

}  // namespace Vantrel
