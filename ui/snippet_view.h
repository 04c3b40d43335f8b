#pragma once
// The embed snippet shown over the window.
void MakeBSnippet();
void MakeXSnippet();
void CloseSnippet();
void CopySnippet();
