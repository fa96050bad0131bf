#pragma once
// Start-up steps of the wizard's own.

// Looks up the shell folders the wizard and the installation use into their globals.
void LookUpFolders();
// Enables the picture decoder the banner pictures need.
void EnablePictureDecoders();
