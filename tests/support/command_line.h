#pragma once
// Runs the built program as a user runs it: its arguments, what it prints on each stream
// and how it exits. fetchWithCommandLine is one `quorvel fetch --json` against a fixture
// site served over loopback HTTP, its JSON read back into the post's boxes (GBK, as the
// window holds them).
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/fixture_server.h"
#include "text/charset.h"

namespace quorvel::testing {

struct ProgramRun {
  int exitCode = -1;
  std::string out, err;
  QJsonObject json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
  std::string field(const char* key) const { return json().value(key).toString().toStdString(); }
};

// One shell word, whatever the argument holds.
inline std::string shellQuoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline ProgramRun runProgram(const std::vector<std::string>& args) {
  char errPath[] = "/tmp/quorvel_cli_err_XXXXXX";
  const int errFile = mkstemp(errPath);
  if (errFile >= 0) close(errFile);
  std::string command = QUORVEL_BINARY;
  for (const std::string& arg : args) command += " " + shellQuoted(arg);
  command += " 2>" + std::string(errPath);
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe != nullptr) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::ifstream err(errPath);
  std::stringstream text;
  text << err.rdbuf();
  run.err = text.str();
  std::remove(errPath);
  return run;
}

// `quorvel fetch --json ADDRESS` with requests for `host` sent to the fixture site in
// `fixtureDir` (below QUORVEL_FIXTURES_DIR).
inline ProgramRun fetchJsonOverHttp(const std::string& fixtureDir, const std::string& host,
                                    const Text& address) {
  FixtureServer server(std::string(QUORVEL_FIXTURES_DIR) + "/" + fixtureDir);
  return runProgram({"fetch", "--json", "--connect-to", server.route(host), address});
}

struct CommandLinePost {
  int exitCode = -1;
  std::string output;  // as printed, UTF-8
  Text title;
  Text content;
  Text replace;
  Text status;
  int radio = 0;
};

inline CommandLinePost fetchWithCommandLine(const std::string& fixtureDir, const std::string& host,
                                            const Text& address) {
  const ProgramRun run = fetchJsonOverHttp(fixtureDir, host, address);
  CommandLinePost post;
  post.exitCode = run.exitCode;
  post.output = run.out;
  auto text = [&](const char* key) { return utf8ToGbk(run.field(key)); };
  post.title = text("title");
  post.content = text("content");
  post.replace = text("replace");
  post.status = text("status");
  post.radio = run.json().value("radio").toInt();
  return post;
}

}  // namespace quorvel::testing
