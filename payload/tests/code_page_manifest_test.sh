#!/usr/bin/env bash
# The manifest inside the built program names the Russian code page, in the one
# windowsSettings element of the application, beside the density setting, and names the
# systems it runs on as itself, Vista to 11, in its compatibility section:
#   code_page_manifest_test.sh PROGRAM.exe
# Reads the file only: no Wine needed. The manifest is stored as plain text in the program's
# resources; the check walks its elements and fails on a tag left open or closed twice.
set -euo pipefail
perl -e '
  local $/;
  open(my $in, "<:raw", $ARGV[0]) or die "$ARGV[0]: $!\n";
  my $bytes = <$in>;
  my @manifests = $bytes =~ /(<\?xml[^>]*\?>\s*(?:<!--.*?-->\s*)*<assembly\b.*?<\/assembly>)/sg;
  die "no manifest in $ARGV[0]\n" unless @manifests == 1;
  my $text = $manifests[0];
  $text =~ s/<!--.*?-->//sg;
  my (@open, %count, $codePage, $dpiParent, $codePageParent, @systems);
  while ($text =~ /<(\/?)([\w:]+)((?:\s+[\w:]+="[^"]*")*)\s*(\/?)>|<\?[^>]*\?>/g) {
    next unless defined $2;
    my ($closing, $name, $attributes, $empty) = ($1, $2, $3, $4);
    if ($closing) {
      my $top = pop @open;
      die "</$name> closes <" . ($top ? $top->[0] : "nothing") . ">\n" unless $top && $top->[0] eq $name;
      next;
    }
    my %attribute = $attributes =~ /([\w:]+)="([^"]*)"/g;
    my $path = join("/", map { $_->[0] } @open, [$name]);
    my $parent = @open ? $open[-1][1] : 0;
    $count{$name}++;
    my $id = "$name#$count{$name}";
    if ($path eq "assembly/application") {
      die "application in namespace $attribute{xmlns}\n" unless $attribute{xmlns} eq "urn:schemas-microsoft-com:asm.v3";
    }
    if ($name eq "activeCodePage") {
      die "activeCodePage at $path\n" unless $path eq "assembly/application/windowsSettings/activeCodePage";
      die "activeCodePage in namespace $attribute{xmlns}\n"
        unless $attribute{xmlns} eq "http://schemas.microsoft.com/SMI/2019/WindowsSettings";
      ($codePage) = substr($text, pos($text)) =~ /^([^<]*)<\/activeCodePage>/ or die "activeCodePage holds no text\n";
      $codePageParent = $parent;
    }
    $dpiParent = $parent if $name eq "dpiAware";
    if ($name eq "compatibility") {
      die "compatibility in namespace $attribute{xmlns}\n"
        unless $attribute{xmlns} eq "urn:schemas-microsoft-com:compatibility.v1";
    }
    if ($name eq "supportedOS") {
      die "supportedOS at $path\n" unless $path eq "assembly/compatibility/application/supportedOS";
      push @systems, lc $attribute{Id};
    }
    push @open, [$name, $id] unless $empty;
  }
  die "<$open[-1][0]> is never closed\n" if @open;
  die "no activeCodePage\n" unless defined $codePage;
  die "activeCodePage is \"$codePage\", not ru-RU\n" unless $codePage eq "ru-RU";
  die "more than one activeCodePage\n" if $count{activeCodePage} > 1;
  die "more than one windowsSettings\n" if $count{windowsSettings} > 1;
  die "activeCodePage and dpiAware are not in the same windowsSettings\n"
    unless defined $dpiParent && $dpiParent eq $codePageParent;
  # Vista, 7, 8, 8.1, 10 and 11.
  my @expected = ("{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                  "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                  "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}");
  die "supportedOS: @systems, not @expected\n" unless "@systems" eq "@expected";
  die "more than one compatibility\n" if $count{compatibility} > 1;
  print "manifest: activeCodePage ru-RU beside dpiAware; supportedOS Vista to 11\n";
' "$1"
