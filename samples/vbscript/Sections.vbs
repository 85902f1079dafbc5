' The CorvaneC header control from a script: build a section tree, read and
' write properties, walk the sections. Needs the control registered
' (regsvr32 CorvaneC.ocx; for 32-bit cscript the 32-bit CorvaneC.ocx, with
' %WINDIR%\SysWOW64\regsvr32.exe on 64-bit Windows).
'
'   cscript //nologo Sections.vbs
Option Explicit

Dim header : Set header = CreateObject("CorvaneC.Corvane")

' Properties: options are booleans, colours OLE_COLOR values.
header.AllowDragDrop = False
header.HotTrackColor = RGB(0, 0, 255)
header.CustomizeMenustring = "Columns..."
WScript.Echo "AllowDragDrop=" & header.AllowDragDrop & " AllowClick=" & header.AllowClick

' A tree: two groups over four columns. Changes of the top level take
' effect with Changed.
Dim root : Set root = header.Sections
root.Clear
Function AddColumn(group, caption, width)
    Set AddColumn = group.Add(caption)
    AddColumn.Width = width
End Function
Dim person : Set person = root.Add("Person")
AddColumn person, "First name", 90
AddColumn person, "Last name", 90
Dim order : Set order = root.Add("Order")
AddColumn order, "Quantity", 70
AddColumn(order, "Delivery date", 110).Alignment = 2   ' taCenter
root.Changed True
WScript.Echo "columns: " & header.ColumnCount

' Walk every section, depth first.
Sub Walk(sections, depth)
    Dim i, item
    For i = 0 To sections.Count - 1
        Set item = sections.Items(i)
        WScript.Echo String(2 * depth + 2, " ") & item.Caption & " (" & item.Width & ")"
        Walk item, depth + 1
    Next
End Sub
Walk root, 0

' A section's place in the tree.
Dim last : Set last = root.Items(1).Items(1)
WScript.Echo "last column: " & last.Caption & ", its group: " & last.Parent.Caption

Set header = Nothing
WScript.Echo "vbscript sample: done"
