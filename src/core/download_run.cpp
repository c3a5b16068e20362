#include "core/download_run.h"

#include <string>
#include <vector>

#include "core/lookup_run.h"
#include "host/host_services.h"
#include "host/process_path.h"
#include "text/file_io.h"
#include "text/sjis.h"
#include "ui/message_box.h"
#include "ui/wait_window.h"

namespace okuzuke {

void DownloadRun(const char* workFolder, const char* resultPath, const char* isbnList) {
  RunContext ctx;
  ctx.workFolder = workFolder ? workFolder : "";
  const std::string result = resultPath ? resultPath : "";
  if (FileExists(result)) RemoveFile(result);

  if (!isbnList || isbnList[0] == '\0') {
    ShowMessage(kNoCodesMessage);
    return;
  }
  ctx.tenDigitInput = isbnList[0] != '9';
  std::vector<std::string> lines = SplitLines(isbnList);

  LoadAuthorDictionary(ctx.authors, ctx.workFolder);
  const std::string hostFolder = HostExecutableFolder() + kPathSeparator;
  std::unique_ptr<HostServices> host = BindHostServices(hostFolder + "vantor.exe", ShowErrorMessage);
  if (!host) return;

  WaitWindow wait(ctx.stop);
  RunPorts ports{*host, [&wait] { wait.Pump(); }, ShowMessage, hostFolder + "Setting.ini"};
  ports.pause = [&wait](std::chrono::milliseconds ms) { wait.PumpFor(static_cast<int>(ms.count())); };
  LookupLines(ctx, ports, std::move(lines), result);
}

}  // namespace okuzuke
