{ Compiles a help project (.hhp) into a .chm with the compiler library of
  Free Pascal's chmcmd. chmcmd 3.2.2 itself names every topic of the context
  map ([ALIAS]/[MAP]) by the project folder's absolute path on the build
  machine, which no viewer finds inside the file; a project built here,
  rather than loaded, has no base folder, so each context names its topic by
  its path inside the file (/page.html).
  Usage: hhp_compile PROJECT.hhp OUTPUT.chm }
program hhp_compile;
{$mode objfpc}{$H+}
uses Classes, SysUtils, chmfilewriter;
var
  Loaded, Project: TChmProject;
  Output: TFileStream;
begin
  if ParamCount <> 2 then begin
    WriteLn(StdErr, 'usage: hhp_compile PROJECT.hhp OUTPUT.chm');
    Halt(64);
  end;
  Loaded := TChmProject.Create;
  Loaded.LoadFromHHP(ParamStr(1), False);
  Project := TChmProject.Create;
  Project.FileName := Loaded.FileName;  { pages and contents are read beside the project }
  Project.Files.Assign(Loaded.Files);   { with their context numbers }
  Project.DefaultPage := Loaded.DefaultPage;
  Project.Title := Loaded.Title;
  Project.TableOfContentsFileName := Loaded.TableOfContentsFileName;
  Project.MakeBinaryTOC := Loaded.MakeBinaryTOC;
  Output := TFileStream.Create(ParamStr(2), fmCreate);
  Project.WriteChm(Output);
  Output.Free;
end.
