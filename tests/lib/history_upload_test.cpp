// The history upload against a small HTTP server that the test runs on 127.0.0.1.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "foundation/settings.h"
#include "records/history_upload.h"
#include "sandbox.h"

namespace {

// Answers one request at a time with the given body, or holds the connection open without
// answering when silent.
class TestServer {
 public:
  explicit TestServer(std::string body, bool silent = false)
      : body_(std::move(body)), silent_(silent) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    listen(listener_, 4);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TestServer() {
    stop_ = true;
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  std::string Address() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/cgi-bin/history.pl?";
  }
  int Connections() const { return connections_; }
  std::string RequestLine() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requestLine_;
  }

 private:
  void Serve() {
    while (!stop_) {
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      ++connections_;
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requestLine_ = request.substr(0, request.find("\r\n"));
      }
      if (silent_) {
        while (!stop_) Sleep(20);
      } else {
        const std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: " +
                                  std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                                  body_;
        send(client, reply.data(), static_cast<int>(reply.size()), 0);
      }
      closesocket(client);
    }
  }

  std::string body_;
  bool silent_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::string requestLine_;
  std::thread thread_;
};

class HistoryUploadTest : public RegistrySandbox {
 protected:
  static void Point(const TestServer& server) {
    SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, "kvserver", server.Address().c_str());
    SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, "kvid", "ID7");
  }
};

}  // namespace

TEST_F(HistoryUploadTest, NothingIsSentWithoutAServerAddress) {
  TestServer server("1");
  OptionSet("SendHistory", 1);
  EXPECT_EQ(0, HistoryUpload("START_Remove", "CURRENT_RUN", "Tool", "C:\\T\\tool.exe"));
  Sleep(100);
  EXPECT_EQ(0, server.Connections());
}

TEST_F(HistoryUploadTest, OnlyAReplyStartingWithOneCountsAndValuesAreEncoded) {
  for (const char* body : {"1", "0", "OK", ""}) {
    TestServer server(body);
    Point(server);
    EXPECT_EQ(body[0] == '1' ? 1 : 0,
              HistoryUpload("IEHELPER_Remove", "TYPE_BHO", "A&B=C #D", "C:\\X\\bho.dll"))
        << "reply \"" << body << "\"";
    EXPECT_EQ(1, server.Connections());
    const std::string line = server.RequestLine();
    EXPECT_EQ(0u, line.find("GET /cgi-bin/history.pl?&code=ID7&time=")) << line;
    EXPECT_NE(std::string::npos,
              line.find("&action=IEHELPER_Remove&type=TYPE_BHO&title=A%26B%3DC%20%23D"
                        "&path=C%3A%5CX%5Cbho.dll HTTP/1."))
        << line;
  }
}

TEST_F(HistoryUploadTest, ASilentServerHoldsTheCallerOnlyForTheTimeout) {
  TestServer server("1", true);
  Point(server);
  const DWORD start = GetTickCount();
  EXPECT_EQ(0, HistoryUpload("START_Remove", "CURRENT_RUN", "Tool", "C:\\T\\tool.exe"));
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(server.Connections(), 1);
  EXPECT_LT(took, 3 * kUploadTimeoutMs) << took << " ms";
}
