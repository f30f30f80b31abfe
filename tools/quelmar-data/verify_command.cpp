// verify DIR: reads a built data tree through the engine's readers and
// reports what every archive holds and anything the map could not read.
#include <iostream>
#include <memory>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/output/verify_tree.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

namespace {

struct VerifyArguments {
  std::string dir;
  builder::VerifyOptions options;
  bool summary = false;
  bool members = false;
};

int RunVerify(const VerifyArguments& arguments) {
  builder::VerifyOptions options = arguments.options;
  if (arguments.summary) options.detail = builder::VerifyOptions::Detail::kSummary;
  if (arguments.members) options.detail = builder::VerifyOptions::Detail::kMembers;
  try {
    const int status = builder::VerifyTree(arguments.dir, options, std::cout);
    std::cout.flush();
    return status;
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "quelmar-data verify: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace

void AddVerifyCommand(CLI::App& cli, int& exitCode) {
  auto arguments = std::make_shared<VerifyArguments>();
  CLI::App* verify = cli.add_subcommand(
      "verify",
      "Read every archive of a data tree (MAP.INI, TARVO.ZIP, HMAP.ZIP, the data and street folders) as "
      "the map does; exit status 1 when anything is unreadable");
  verify->add_option("dir", arguments->dir, "The tree's folder, the one holding MAP.INI")->required();
  verify->add_option("--names", arguments->options.names, "Names shown per member or archive")
      ->capture_default_str()
      ->check(CLI::Range(0, 1000000));
  CLI::Option* summary =
      verify->add_flag("--summary", arguments->summary,
                       "Sum the members of every archive (the default for archives of more than 20 members)");
  verify->add_flag("--members", arguments->members, "List every member, however many an archive has")
      ->excludes(summary);
  verify
      ->add_option("--street-version", arguments->options.streetVersion,
                   "The street-data version street quads must have")
      ->capture_default_str();
  verify->callback([arguments, &exitCode] { exitCode = RunVerify(*arguments); });
}

}  // namespace quelmar::tools
